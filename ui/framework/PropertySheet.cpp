#include "ui/framework/PropertySheet.h"

#include "ui/framework/Framework.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tb::ui {

PropertyPage::PropertyPage(int templateId, const QString& tabTitle)
    : Window(templateId), m_tabTitle(tabTitle) {}

PropertyPage::PropertyPage(const res::DialogTemplate& tmpl, const QString& tabTitle)
    : Window(tmpl), m_tabTitle(tabTitle) {}

PropertySheet::PropertySheet(const QString& caption, QWidget* parent)
    : Dialog(caption, {kHandsetWidth, kHandsetHeight - 40}, parent) {
    auto* layout = new QVBoxLayout(form());
    layout->setContentsMargins(0, 0, 0, 0);
    m_tabs = new QTabWidget(form());
    m_tabs->setObjectName(QStringLiteral("tabs"));
    layout->addWidget(m_tabs, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto [id, text] : {std::pair{IDOK, QStringLiteral("OK")},
                            std::pair{IDCANCEL, QStringLiteral("キャンセル")}}) {
        auto* b = new QPushButton(text, form());
        b->setObjectName(QString::number(id));
        b->setAutoDefault(false);
        const int command = id;
        connect(b, &QPushButton::clicked, this, [this, command] { SendCommand(command); });
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { initPage(index); });
    // Ctrl+Tab turns the page wherever the focus is: a combo box or an edit
    // would otherwise keep the key to itself.
    for (auto [keys, step] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                              std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1}}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        const int by = step;
        connect(shortcut, &QShortcut::activated, this, [this, by] {
            if (pageCount() == 0) return;
            SetActivePage((activeIndex() + by + pageCount()) % pageCount());
            m_tabs->tabBar()->setFocus(Qt::TabFocusReason);
        });
    }
}

PropertySheet::~PropertySheet() {
    for (const QPointer<PropertyPage>& page : m_pages)
        if (page) page->setParent(nullptr);
}

void PropertySheet::AddPage(PropertyPage* page) {
    m_pages.push_back(page);
    m_initialised.push_back(false);
    m_tabs->addTab(page, page->tabTitle());
}

void PropertySheet::SetActivePage(int index) {
    m_tabs->setCurrentIndex(index);
    initPage(index);
}

int PropertySheet::activeIndex() const {
    return m_tabs->currentIndex();
}

bool PropertySheet::OnInitDialog() {
    Dialog::OnInitDialog();
    initPage(m_tabs->currentIndex());
    return true;
}

// Only while the sheet runs: the first tab added becomes current at once, before
// the sheet's owner has set the members its page shows.
void PropertySheet::initPage(int index) {
    if (!IsRunning() || index < 0 || index >= pageCount() || m_initialised[index]) return;
    m_initialised[index] = true;
    m_pages[index]->OnInitPage();
}

// Every page that was shown hands its values back; the first invalid one is
// brought to the front with its message and the sheet stays open.
void PropertySheet::OnOK() {
    for (int i = 0; i < pageCount(); ++i) {
        if (!m_initialised[i]) continue;
        if (!m_pages[i]->UpdateData(true)) {
            m_tabs->setCurrentIndex(i);
            return;
        }
    }
    EndDialog(IDOK);
}

} // namespace tb::ui
