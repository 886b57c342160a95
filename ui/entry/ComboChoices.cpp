#include "ui/entry/ComboChoices.h"

ComboChoices ChoicesWithValue(QStringList listTexts, const QString& value) {
    ComboChoices choices;
    choices.selected = static_cast<int>(listTexts.lastIndexOf(value));
    if (choices.selected < 0 && !value.isEmpty()) {
        listTexts.append(value);
        choices.selected = static_cast<int>(listTexts.size()) - 1;
    }
    if (value.isEmpty()) choices.selected = -1;
    choices.items = std::move(listTexts);
    return choices;
}
