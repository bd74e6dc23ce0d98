// IGraphicsX11: web addresses, messages and the dialogs an X11 child window cannot show.
#include <cstring>

#include "graphics_x11/IGraphicsX11.h"
#include "graphics_x11/SpawnedProgram.h"

namespace {

// The answer of a two-choice menu: entries 2 and 3 below its question and a separator.
constexpr int kYesIndex = 2;

}  // namespace

bool IGraphicsX11::OpenWebAddress(const char* address, const char* title, const char* confirmText,
                                  const char* failureText) {
  if (confirmText) {
    // The question as an inactive first line, then the two answers, below the top left quarter.
    IMenu question;
    question.AddEntry(confirmText, IMenuEntry::MenuInactive);
    question.AddEntry("", IMenuEntry::MenuSeparator);
    question.AddEntry("Yes");
    question.AddEntry("No");
    const IMenu* chosen =
        ShowMenu(&question, {Width() / 4, Height() / 4, Width() / 4, Height() / 4});
    if (chosen != &question || question.ChosenIndex() != kYesIndex) return false;
  }
  // An address starting with "-" would reach xdg-open as an option.
  if (address && address[0] != '\0' && address[0] != '-' && SpawnProgram("xdg-open", address))
    return true;
  if (failureText) ShowMessage(failureText, title, 0);
  return false;
}
