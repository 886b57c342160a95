#include "ui/entry/CalculatorState.h"

namespace {

bool WithinLimit(std::int64_t value) {
    return value >= -kAmountLimit && value <= kAmountLimit;
}

} // namespace

void CalculatorState::open(std::int32_t amount) {
    *this = CalculatorState();
    const std::int64_t wide = amount;
    m_bIncome = wide < 0;
    const std::int64_t magnitude = wide < 0 ? -wide : wide;
    if (magnitude > kAmountLimit) {
        enterError();
        return;
    }
    m_nAmount = magnitude;
}

void CalculatorState::appendDigits(std::int64_t factor, std::int64_t digit) {
    if (m_bError) return;
    const std::int64_t base = (m_nState & kTyping) ? m_nAmount : 0;
    // Values stay far below 2^63, so the wide product cannot overflow.
    const std::int64_t next = base * factor + (base < 0 ? -digit : digit);
    if (!WithinLimit(next)) return; // the display is full: the key is not taken
    m_nAmount = next;
    m_nState = (m_nState | kTyping) & ~kClearedOnce;
}

void CalculatorState::pressDigit(int digit) {
    if (digit < 0 || digit > 9) return;
    appendDigits(10, digit);
}

void CalculatorState::pressDoubleZero() {
    appendDigits(100, 0);
}

void CalculatorState::pressTripleZero() {
    appendDigits(1000, 0);
}

void CalculatorState::pressOperator(Op op) {
    if (m_bError || op == Op::None) return;
    if (m_nState & kPending) {
        const std::int64_t left = m_nAccumulator;
        const std::int64_t right = m_nAmount;
        switch (m_pendingOp) {
        case Op::Plus:
            setResult(left + right);
            break;
        case Op::Minus:
            setResult(left - right);
            break;
        case Op::Times:
            setResult(left * right);
            break;
        case Op::Divide:
            if (right == 0)
                enterError();
            else
                setResult(left / right); // truncates toward zero
            break;
        case Op::Equals:
        case Op::None:
            break;
        }
        if (m_bError) return;
    }
    m_pendingOp = op;
    m_nAccumulator = m_nAmount;
    m_nState = (m_nState | kPending) & ~kTyping;
}

void CalculatorState::pressTaxPlus() {
    if (m_bError) return;
    setResult(m_nAmount * 105 / 100);
    if (m_bError) return;
    m_nAccumulator = m_nAmount;
    m_nState = (m_nState | kPending) & ~kTyping;
}

void CalculatorState::pressTaxMinus() {
    if (m_bError) return;
    setResult(m_nAmount * 100 / 105);
    m_nAccumulator = m_nAmount;
    m_nState = (m_nState | kPending) & ~kTyping;
}

void CalculatorState::pressClear() {
    m_nAmount = 0;
    if (m_bError || (m_nState & kClearedOnce)) {
        m_nAccumulator = 0;
        m_nState = 0;
        m_pendingOp = Op::None;
        m_bError = false;
        return;
    }
    m_nState |= kClearedOnce;
}

void CalculatorState::pressBackspace() {
    if (m_bError) return;
    m_nAmount /= 10;
    m_nState = (m_nState | kTyping) & ~kClearedOnce;
}

QString CalculatorState::displayText() const {
    if (m_bError) return QStringLiteral("E");
    return QString::number(m_nAmount);
}

std::optional<std::int32_t> CalculatorState::signedResult() const {
    if (m_bError) return std::nullopt;
    const std::int64_t value = m_bIncome ? -m_nAmount : m_nAmount;
    return static_cast<std::int32_t>(value);
}

void CalculatorState::setResult(std::int64_t value) {
    if (!WithinLimit(value)) {
        enterError();
        return;
    }
    m_nAmount = value;
}

void CalculatorState::enterError() {
    m_bError = true;
    m_nAmount = 0;
    m_nAccumulator = 0;
    m_nState = 0;
    m_pendingOp = Op::None;
}
