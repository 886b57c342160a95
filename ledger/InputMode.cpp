#include "ledger/InputMode.h"

#include "ledger/CMyTALYDoc.h"

namespace {

constexpr int kPanelStateOff = 0;
constexpr int kPanelStateText = -1;
constexpr int kModeAlphanumeric = 7;
constexpr int kModeHiragana = 0;

} // namespace

void EnterNumberMode(const CMyTALYDoc& doc, QObject* window) {
    doc.SetPhoneInputStatus(kPanelStateOff, kModeAlphanumeric);
    doc.SetImeMode(window, kModeAlphanumeric);
}

void EnterTextMode(const CMyTALYDoc& doc, QObject* window) {
    doc.SetPhoneInputStatus(kPanelStateText, kModeHiragana);
    doc.SetImeMode(window, kModeHiragana);
}
