// What an entry field's drop-down offers: the texts of its list file, and the
// entry's own text selected among them even when the file lacks it.
#pragma once

#include <QString>
#include <QStringList>

struct ComboChoices {
    QStringList items;
    int selected = -1; // -1: nothing selected
};

// The list texts in file order. The last item equal to `value` (compared
// exactly, letter case included, as the texts are stored) is selected; a
// non-empty value the list lacks is appended and selected; an empty one
// selects nothing.
ComboChoices ChoicesWithValue(QStringList listTexts, const QString& value);
