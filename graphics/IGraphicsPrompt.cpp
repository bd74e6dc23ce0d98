// IGraphics value prompt: a menu of the parameter's value texts, or a text entry of its value.
#include <cstring>
#include <memory>

#include "graphics/IGraphics.h"
#include "plugin_core/PlugParam.h"

namespace {
constexpr int kValueTextSize = 128;
}  // namespace

void IGraphics::PromptForValue(IControl* control, PlugParam* param, IBounds* area) {
  if (!control || !param || !area) return;
  const bool hasValueTexts = param->NValueTexts() > 0;
  if (param->Kind() == ParamKind::Enum || (param->Kind() == ParamKind::Bool && hasValueTexts)) {
    char current[kValueTextSize];
    param->FormatCurrent(current, sizeof current);
    auto menu = std::make_shared<IMenu>();
    for (int i = 0; i < param->NValueTexts(); ++i) {
      const ValueText* entry = param->TextForValue(i);
      const char* text = entry ? entry->text : "";
      menu->AddEntry(text, std::strcmp(text, current) == 0 ? IMenuEntry::MenuChecked : 0);
    }
    // Inside the press's gesture when the menu answers at once; in one of its own when later.
    menuAnswer_ = [control, param, menu](IMenu* chosen) {
      if (chosen && chosen->ChosenIndex() >= 0)
        control->SetValueFromUser(param->ToNormalized(static_cast<double>(chosen->ChosenIndex())));
    };
    IMenu* chosen = ShowMenu(menu.get(), *area);
    if (auto answer = TakeMenuAnswer()) answer(chosen);
    return;
  }
  char text[kValueTextSize];
  param->FormatValue(param->Value(), false, false, text, sizeof text);
  ShowTextEntry(control, control->TextStyle(), *area, text, param);
}
