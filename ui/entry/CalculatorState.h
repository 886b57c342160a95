// The amount keypad's integer calculator, free of widgets: operations run at
// once, left to right, without precedence; the tax keys put on or take off 5 %.
//
// Limits: every value the calculator shows or hands back has a magnitude of at
// most kAmountLimit, the largest amount the entry dialogs accept. A digit that
// would take the typed number past it is not accepted (the display stays), as
// on a pocket calculator whose display is full. A division by zero, or a result
// of an operation or a tax key past the limit, puts the calculator into the
// error state: the display shows "E", every key but "C/CE" is ignored, and no
// amount can be handed back until "C/CE" (one press) clears everything.
#pragma once

#include "ledger/InOutRecord.h"

#include <QString>
#include <cstdint>
#include <optional>

class CalculatorState {
public:
    // The operator keys; None is the state before any operator was pressed.
    enum class Op { None, Plus, Minus, Times, Divide, Equals };

    // State bits, as the page keeps them.
    enum StateBits : unsigned {
        kTyping = 0x1,       // digits are being typed into the amount
        kPending = 0x10,     // an operator is pending
        kClearedOnce = 0x100 // "C/CE" pressed and not followed by a digit
    };

    // Starts a page on a caller's signed amount: a negative amount shows its
    // magnitude with the income flag set. An amount past the limit (only a
    // damaged ledger can hold one) opens in the error state.
    void open(std::int32_t amount);

    void pressDigit(int digit); // 0..9
    void pressDoubleZero();
    void pressTripleZero();
    void pressOperator(Op op);
    void pressTaxPlus();
    void pressTaxMinus();
    void pressClear();
    void pressBackspace();

    void setIncome(bool income) { m_bIncome = income; }
    bool income() const { return m_bIncome; }

    // The shown value: a plain decimal with a minus sign when negative, or "E".
    QString displayText() const;
    std::int32_t amount() const { return static_cast<std::int32_t>(m_nAmount); }

    // The amount for next and finish: negated when income is set. Empty in the
    // error state, so that no amount past the limit ever leaves the page.
    std::optional<std::int32_t> signedResult() const;

private:
    void appendDigits(std::int64_t factor, std::int64_t digit);
    void setResult(std::int64_t value);
    void enterError();

    std::int64_t m_nAmount = 0;
    std::int64_t m_nAccumulator = 0;
    Op m_pendingOp = Op::None;
    unsigned m_nState = 0;
    bool m_bIncome = false;
    bool m_bError = false;
};
