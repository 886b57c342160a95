// The handset's input-mode hints come in pairs, phone input status and IME
// mode: number mode whenever a dialog closes or a number field gets the focus,
// text mode (hiragana) when a text field gets it. Nothing happens on other
// machines than the handset.
#pragma once

class CMyTALYDoc;
class QObject;

void EnterNumberMode(const CMyTALYDoc& doc, QObject* window);
void EnterTextMode(const CMyTALYDoc& doc, QObject* window);
