// Hand-built ledgers for the summary tests: entries written field by field and
// linked in the order given, as the document links them.
#pragma once

#include "ledger/InOutRecord.h"

#include <QString>
#include <deque>

struct EntrySpec {
    int year, month, day;
    QString category;
    std::int32_t amount;
    QString remark = {};
    QString payee = {};
    QString payMethod = {};
    int hour = 12, minute = 0, second = 0;
};

class LedgerBuilder {
public:
    LedgerBuilder& add(const EntrySpec& e) {
        LedgerNode& node = m_nodes.emplace_back();
        node.record = {};
        InOutRecord& r = node.record;
        r.id = static_cast<std::int32_t>(m_nodes.size());
        SetFieldText(r.category, e.category);
        SetFieldText(r.remark, e.remark);
        SetFieldText(r.payee, e.payee);
        SetFieldText(r.payMethod, e.payMethod);
        r.date.wYear = static_cast<std::uint16_t>(e.year);
        r.date.wMonth = static_cast<std::uint16_t>(e.month);
        r.date.wDay = static_cast<std::uint16_t>(e.day);
        r.date.wHour = static_cast<std::uint16_t>(e.hour);
        r.date.wMinute = static_cast<std::uint16_t>(e.minute);
        r.date.wSecond = static_cast<std::uint16_t>(e.second);
        r.amount = e.amount;
        node.next = nullptr;
        if (m_nodes.size() > 1) m_nodes[m_nodes.size() - 2].next = &node;
        return *this;
    }
    const LedgerNode* head() const { return m_nodes.empty() ? nullptr : &m_nodes.front(); }
    InOutRecord& record(std::size_t i) { return m_nodes[i].record; }

private:
    std::deque<LedgerNode> m_nodes; // stable addresses while growing
};

inline plat::SYSTEMTIME Date(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
    plat::SYSTEMTIME st{};
    st.wYear = static_cast<std::uint16_t>(y);
    st.wMonth = static_cast<std::uint16_t>(m);
    st.wDay = static_cast<std::uint16_t>(d);
    st.wHour = static_cast<std::uint16_t>(h);
    st.wMinute = static_cast<std::uint16_t>(mi);
    st.wSecond = static_cast<std::uint16_t>(s);
    return st;
}
