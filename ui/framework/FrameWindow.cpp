#include "ui/framework/FrameWindow.h"

#include "res/Resources.h"
#include "ui/framework/Bars.h"
#include "ui/framework/Framework.h"
#include "ui/framework/Window.h"

#include <QShortcut>
#include <QVBoxLayout>

namespace tb::ui {

FrameWindow::FrameWindow(QWidget* parent) : QMainWindow(parent) {
    setFont(HandsetFont());
    setWindowIcon(ProgramIcon());
    // The view on top (it scrolls when the window is smaller than its form),
    // the soft-key bar, when there is one, at the bottom.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_clientLayout = new QVBoxLayout(m_client);
    m_clientLayout->setContentsMargins(0, 0, 0, 0);
    m_clientLayout->setSpacing(0);
    setCentralWidget(m_client);
    resize(Lp(kHandsetWidth), Lp(kHandsetHeight));
}

void FrameWindow::SetView(Window* view) {
    delete m_view;
    m_view = view;
    view->setParent(m_client);
    m_clientLayout->insertWidget(0, view, 1);
}

bool FrameWindow::CreateSoftKeyBar(int menuId) {
    const res::MenuTemplate* menu = res::FindMenu(menuId);
    if (!menu) return false;
    delete m_softKeyBar;
    m_softKeyBar = new SoftKeyBar(*menu, *this, m_client);
    m_clientLayout->addWidget(m_softKeyBar);
    return true;
}

void FrameWindow::AddAccelerator(const QKeySequence& keys, int command) {
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, command] { SendCommand(command); });
}

CommandTarget* FrameWindow::NextTarget() {
    return m_view;
}

} // namespace tb::ui
