// TracePoint: the plug-in core's trace hook. Operations report their qualified name, a line, a
// printf-style format and values; the hook deliberately writes nothing.
#pragma once

inline void TracePoint(const char* /*where*/, int /*line*/, const char* /*format*/, ...) {}
