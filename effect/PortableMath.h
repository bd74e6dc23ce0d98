// PortableExp and PortableLog: exp and ln from + − × ÷ and bit operations only.
// glibc and the MinGW C runtime round exp/log differently in the last bit; the sound must not.
#pragma once

// e^x, within one unit in the last place; exactly 1 for 0. NaN stays NaN.
double PortableExp(double x);

// Natural logarithm, within one unit in the last place; exactly 0 for 1. Answers −inf for 0 and
// NaN for negative or NaN arguments.
double PortableLog(double x);
