#include "ui/framework/Window.h"

#include "res/Resources.h"
#include "ui/framework/Bars.h"
#include "ui/framework/Framework.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tb::ui {
namespace {

constexpr char kControlId[] = "tbControlId";

// Looks at every key-down before the widget it is sent to: the innermost
// template window around the receiver, then the windows around that, up to
// the top-level window, may take it.
class KeyRouter : public QObject {
public:
    static void ensureInstalled() {
        static KeyRouter* router = [] {
            auto* r = new KeyRouter(qApp);
            qApp->installEventFilter(r);
            return r;
        }();
        (void)router;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        const int vk = VirtualKeyOf(*static_cast<QKeyEvent*>(event));
        if (vk == 0) return false;
        auto* receiver = static_cast<QWidget*>(watched);
        for (auto* w = receiver; w; w = w->parentWidget()) {
            if (auto* window = qobject_cast<Window*>(w); window && window->isEnabled())
                if (window->PreTranslateKeyDown(vk)) return true;
            if (w->isWindow()) break;
        }
        return pressSoftKey(receiver->window(), vk);
    }

    // F1 and F2 that no window took press the soft keys of the window's bar.
    static bool pressSoftKey(const QWidget* topLevel, int vk) {
        const int index = SoftKeyBar::keyIndexOf(vk);
        if (index < 0 || !topLevel->isEnabled()) return false;
        SoftKeyBar* bar = SoftKeyBar::of(topLevel);
        return bar && bar->pressKeyFromKeyboard(index);
    }

private:
    using QObject::QObject;
};

QRect Scaled(const QRect& r) {
    return {Lp(r.x()), Lp(r.y()), Lp(r.width()), Lp(r.height())};
}
QRect Logical(const QRect& r) {
    const int s = UiScale();
    return {r.x() / s, r.y() / s, r.width() / s, r.height() / s};
}

// A combo box's rectangle includes its drop-down list, as in a handset
// template; on the screen the box itself is one line tall.
QRect OnScreen(const QWidget* w, QRect logical) {
    if (!qobject_cast<const QComboBox*>(w)) return logical;
    const int s = UiScale();
    const int line = std::max(20, (w->sizeHint().height() + s - 1) / s);
    logical.setHeight(std::min(logical.height(), line));
    return logical;
}

Qt::Alignment AlignmentOf(unsigned style) {
    if (style & res::AlignRight) return Qt::AlignRight | Qt::AlignVCenter;
    if (style & res::AlignCenter) return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Multi-line buttons and check boxes: the style draws the frame or the
// indicator, the text wraps inside the control's rectangle beside it.
template <class Base, QStyle::ControlElement kElement> class Wrapping : public Base {
public:
    Wrapping(const QString& text, QWidget* parent) : Base(text, parent) { KeepMargins(); }
    // Where the text goes inside a rectangle (as left, top, -right, -bottom margins).
    QRect TextArea(QRect r) const {
        if constexpr (kElement == QStyle::CE_CheckBox) {
            QStyleOptionButton opt;
            opt.initFrom(this);
            const QRect box = this->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, this);
            return r.adjusted(box.right() + 6, 0, 0, 0);
        }
        return r.adjusted(4, 2, -4, -2);
    }

protected:
    // The margins as a property, for the check that every text fits; again
    // once the style (and its indicator size) is applied.
    void KeepMargins() { this->setProperty("tbWrapMargins", TextArea(QRect())); }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::Polish) KeepMargins();
        return Base::event(e);
    }
    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        QStyleOptionButton opt;
        this->initStyleOption(&opt);
        opt.text.clear();
        p.drawControl(kElement, opt);
        const QRect r = TextArea(this->rect());
        Qt::Alignment align = Qt::AlignCenter;
        if constexpr (kElement == QStyle::CE_CheckBox) align = Qt::AlignLeft | Qt::AlignVCenter;
        p.setPen(this->palette().color(this->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        p.drawText(r, static_cast<int>(align | Qt::TextWordWrap), this->text());
    }
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};
using WrappingPushButton = Wrapping<QPushButton, QStyle::CE_PushButton>;
using WrappingCheckBox = Wrapping<QCheckBox, QStyle::CE_CheckBox>;

QPushButton* MakeToggleButton(const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setCheckable(true);
    b->setAutoDefault(false);
    return b;
}

} // namespace

QString ControlText(const QWidget* c) {
    if (auto* l = qobject_cast<const QLabel*>(c)) return l->text();
    if (auto* e = qobject_cast<const QLineEdit*>(c)) return e->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(c)) return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(c)) return g->title();
    if (auto* cb = qobject_cast<const QComboBox*>(c)) return cb->currentText();
    if (auto* d = qobject_cast<const QDateTimeEdit*>(c)) return d->text();
    if (auto* lw = qobject_cast<const QListWidget*>(c))
        return lw->currentItem() ? lw->currentItem()->text() : QString();
    return {};
}

void SetControlText(QWidget* c, const QString& text) {
    const QSignalBlocker block(c);
    if (auto* l = qobject_cast<QLabel*>(c))
        l->setText(text);
    else if (auto* e = qobject_cast<QLineEdit*>(c))
        e->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(c))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(c))
        g->setTitle(text);
    else if (auto* cb = qobject_cast<QComboBox*>(c)) {
        if (cb->isEditable())
            cb->setEditText(text);
        else
            cb->setCurrentIndex(cb->findText(text));
    }
}

Window::Window(int templateId, QWidget* parent) : QWidget(parent), m_templateId(templateId) {
    const res::DialogTemplate* tmpl = res::FindDialog(templateId);
    Q_ASSERT_X(tmpl, "Window", "no dialog template with this ID");
    if (!tmpl) {
        setupFrame(QString(), {kHandsetWidth, kHandsetHeight});
        return;
    }
    setupFrame(QString::fromUtf16(tmpl->title), {tmpl->size.w, tmpl->size.h});
    buildControls(*tmpl);
}

Window::Window(const res::DialogTemplate& tmpl, QWidget* parent)
    : QWidget(parent), m_templateId(tmpl.id) {
    setupFrame(QString::fromUtf16(tmpl.title), {tmpl.size.w, tmpl.size.h});
    buildControls(tmpl);
}

Window::Window(const QString& title, QSize designSize, QWidget* parent) : QWidget(parent) {
    setupFrame(title, designSize);
}

Window::~Window() {
    // Children still send signals and focus moves while QWidget tears them
    // down; none of that may reach this half-destroyed window.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
    m_form->removeEventFilter(this);
}

void Window::setupFrame(const QString& title, QSize designSize) {
    KeyRouter::ensureInstalled();
    setWindowTitle(title);
    setFont(HandsetFont());
    // Check marks as large as the text, like the handset's. The font is named
    // here too: a style sheet's font reaches every control, whatever the
    // application's font is.
    setStyleSheet(QStringLiteral("QWidget { font-family: \"%1\"; font-size: %2px; } "
                                 "QCheckBox::indicator, QRadioButton::indicator "
                                 "{ width: %2px; height: %2px; } "
                                 "QCalendarWidget QWidget { font-size: %3px; }")
                      .arg(HandsetFont().family())
                      .arg(Lp(11))
                      .arg(Lp(10)));
    m_designSize = designSize;
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFocusPolicy(Qt::NoFocus); // the tab chain holds the controls only
    m_form = new QWidget;
    m_form->setObjectName(QStringLiteral("form"));
    m_form->setMinimumSize(Lp(designSize.width()), Lp(designSize.height()));
    m_form->installEventFilter(this);
    m_scroll->setWidget(m_form);
    m_layout->addWidget(m_scroll);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { onFocusChanged(now); });
}

void Window::buildControls(const res::DialogTemplate& tmpl) {
    std::vector<int>* group = nullptr;
    QButtonGroup* buttons = nullptr;
    for (const res::ControlTemplate& c : tmpl.controls) {
        QWidget* w = createControl(c);
        w->setGeometry(Scaled(OnScreen(w, {c.rect.x, c.rect.y, c.rect.w, c.rect.h})));
        w->setProperty(kControlId, c.id);
        if (c.id != -1) {
            Q_ASSERT_X(!m_controls.count(c.id), "Window", "control ID used twice");
            w->setObjectName(QString::number(c.id));
            m_controls[c.id] = w;
            m_designRects[c.id] = {c.rect.x, c.rect.y, c.rect.w, c.rect.h};
        }
        if (c.kind == res::ControlKind::RadioButton) {
            if (!group || (c.style & res::Group)) {
                m_radioGroups.emplace_back();
                group = &m_radioGroups.back();
                buttons = new QButtonGroup(this);
            }
            group->push_back(c.id);
            buttons->addButton(static_cast<QAbstractButton*>(w));
        } else {
            group = nullptr;
        }
        if (c.kind == res::ControlKind::DefaultButton) m_defaultButtonId = c.id;
        if (c.kind == res::ControlKind::GroupBox) w->lower();
        w->setVisible(c.visible);
        w->setEnabled(c.enabled);
        wireControl(c, w);
    }
    applyInitLists(tmpl);
}

QWidget* Window::createControl(const res::ControlTemplate& c) {
    using K = res::ControlKind;
    const QString text = QString::fromUtf16(c.text);
    switch (c.kind) {
    case K::Static: {
        auto* l = new QLabel(text, m_form);
        l->setAlignment(AlignmentOf(c.style) |
                        (c.style & res::MultiLine ? Qt::AlignTop : Qt::Alignment()));
        l->setWordWrap(c.style & res::MultiLine);
        if (c.style & res::Border) l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return l;
    }
    case K::Picture: {
        auto* l = new QLabel(m_form);
        l->setPixmap(ResourcePixmap(c.image, c.rect.w, c.rect.h));
        return l;
    }
    case K::Edit: {
        auto* e = new QLineEdit(text, m_form);
        e->setReadOnly(c.style & res::ReadOnly);
        e->setAlignment(AlignmentOf(c.style));
        return e;
    }
    case K::Button:
    case K::DefaultButton:
    case K::OwnerDrawButton: {
        auto* b = c.style & res::MultiLine ? new WrappingPushButton(text, m_form)
                                           : new QPushButton(text, m_form);
        b->setAutoDefault(false);
        b->setDefault(c.kind == K::DefaultButton);
        return b;
    }
    case K::CheckBox:
        if (c.style & res::PushLike) return MakeToggleButton(text, m_form);
        if (c.style & res::MultiLine) return new WrappingCheckBox(text, m_form);
        return new QCheckBox(text, m_form);
    case K::RadioButton:
        if (c.style & res::PushLike) return MakeToggleButton(text, m_form);
        return new QRadioButton(text, m_form);
    case K::GroupBox:
        return new QGroupBox(text, m_form);
    case K::ComboBox:
    case K::ComboList: {
        auto* cb = new QComboBox(m_form);
        cb->setEditable(c.kind == K::ComboBox);
        cb->setInsertPolicy(QComboBox::NoInsert);
        return cb;
    }
    case K::ListBox: {
        auto* lw = new QListWidget(m_form);
        lw->setSortingEnabled(c.style & res::Sorted);
        return lw;
    }
    case K::ListView: {
        auto* t = c.style & res::ModelView ? new QTreeView(m_form) : new QTreeWidget(m_form);
        t->setRootIsDecorated(false);
        t->setUniformRowHeights(true);
        t->setSelectionMode(QAbstractItemView::SingleSelection);
        t->setSelectionBehavior(c.style & res::FullRowSelect ? QAbstractItemView::SelectRows
                                                             : QAbstractItemView::SelectItems);
        t->setAllColumnsShowFocus(true);
        t->header()->setSectionsClickable(true);
        t->header()->setStretchLastSection(false);
        return t;
    }
    case K::DatePicker: {
        auto* d = new QDateTimeEdit(m_form);
        d->setCalendarPopup(true);
        d->setTimeSpec(Qt::UTC); // time values carry no zone
        d->setDisplayFormat(c.style & res::LongDate ? QStringLiteral("yyyy年M月d日")
                                                    : QStringLiteral("yyyy/MM/dd"));
        d->setAlignment(AlignmentOf(c.style));
        // Only the drop-down button shows; the date itself is shown elsewhere.
        d->setProperty("tbButtonOnly", bool(c.style & res::ButtonOnly));
        if (c.style & res::ButtonOnly)
            d->setStyleSheet(QStringLiteral("QDateTimeEdit { color: transparent; "
                                            "selection-color: transparent; "
                                            "selection-background-color: transparent; }"));
        return d;
    }
    case K::MonthCalendar: {
        auto* cal = new QCalendarWidget(m_form);
        cal->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
        cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        cal->setFirstDayOfWeek(Qt::Sunday);
        return cal;
    }
    }
    return new QWidget(m_form);
}

void Window::wireControl(const res::ControlTemplate& c, QWidget* w) {
    const int id = c.id;
    if (c.style & res::NoTabStop) w->setFocusPolicy(Qt::ClickFocus);
    auto notify = [this, id](Notify code, int row = -1, int column = -1) {
        NotifyInfo info{id, code, row, column};
        SendNotify(info);
    };
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        connect(b, &QAbstractButton::clicked, this, [this, id] { SendCommand(id); });
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        connect(e, &QLineEdit::textEdited, this, [notify] { notify(Notify::EditChange); });
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        connect(cb, &QComboBox::activated, this, [notify] { notify(Notify::SelChange); });
        if (cb->lineEdit())
            connect(cb->lineEdit(), &QLineEdit::textEdited, this,
                    [notify] { notify(Notify::EditChange); });
    } else if (auto* lw = qobject_cast<QListWidget*>(w)) {
        connect(lw, &QListWidget::currentRowChanged, this, [notify] { notify(Notify::SelChange); });
        connect(lw, &QListWidget::itemDoubleClicked, this,
                [notify] { notify(Notify::DoubleClick); });
    } else if (auto* t = qobject_cast<QTreeView*>(w)) {
        t->viewport()->setProperty(kControlId, id);
        t->viewport()->installEventFilter(this);
        t->installEventFilter(this);
        connect(t->header(), &QHeaderView::sectionClicked, this,
                [notify](int column) { notify(Notify::ColumnClick, -1, column); });
        connect(t, &QTreeView::doubleClicked, this, [notify](const QModelIndex& index) {
            notify(Notify::DoubleClick, index.row(), index.column());
        });
        // A model view gets its selection model with its model, from the window.
        if (auto* tw = qobject_cast<QTreeWidget*>(w))
            connect(tw, &QTreeWidget::itemSelectionChanged, this,
                    [notify] { notify(Notify::SelChange); });
    } else if (auto* d = qobject_cast<QDateTimeEdit*>(w)) {
        connect(d, &QDateTimeEdit::dateTimeChanged, this, [notify] { notify(Notify::DateChange); });
        if (QCalendarWidget* popup = d->calendarWidget()) {
            connect(popup, &QCalendarWidget::clicked, this, [notify] { notify(Notify::CloseUp); });
            connect(popup, &QCalendarWidget::activated, this,
                    [notify] { notify(Notify::CloseUp); });
        }
    } else if (auto* cal = qobject_cast<QCalendarWidget*>(w)) {
        connect(cal, &QCalendarWidget::selectionChanged, this,
                [notify] { notify(Notify::SelChange); });
    }
}

void Window::applyInitLists(const res::DialogTemplate& tmpl) {
    for (const res::InitList& list : tmpl.initLists) {
        QStringList items;
        for (const char16_t* text : list.items)
            items << QString::fromUtf16(text);
        QWidget* w = GetDlgItem(list.controlId);
        if (auto* cb = qobject_cast<QComboBox*>(w)) {
            const QSignalBlocker block(cb);
            cb->addItems(items);
            cb->setCurrentIndex(-1);
        } else if (auto* lw = qobject_cast<QListWidget*>(w)) {
            const QSignalBlocker block(lw);
            lw->addItems(items);
        }
    }
}

QWidget* Window::GetDlgItem(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QString Window::GetDlgItemText(int id) const {
    const QWidget* w = GetDlgItem(id);
    return w ? ControlText(w) : QString();
}

void Window::SetDlgItemText(int id, const QString& text) {
    if (QWidget* w = GetDlgItem(id)) SetControlText(w, text);
}

void Window::ShowControl(int id, bool show) {
    if (QWidget* w = GetDlgItem(id)) w->setVisible(show);
}

void Window::EnableControl(int id, bool enable) {
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(enable);
}

bool Window::IsControlEnabled(int id) const {
    const QWidget* w = GetDlgItem(id);
    return w && w->isEnabled();
}

void Window::CheckDlgButton(int id, bool checked) {
    if (auto* b = item<QAbstractButton>(id)) {
        const QSignalBlocker block(b);
        b->setChecked(checked);
    }
}

bool Window::IsDlgButtonChecked(int id) const {
    const auto* b = item<QAbstractButton>(id);
    return b && b->isChecked();
}

void Window::GotoDlgCtrl(int id) {
    if (QWidget* w = GetDlgItem(id)) w->setFocus(Qt::OtherFocusReason);
}

void Window::SetButtonImage(int id, int imageId) {
    auto* b = item<QAbstractButton>(id);
    if (!b) return;
    b->setIcon(QIcon(ResourcePixmap(imageId, 16, 16)));
    b->setIconSize(QSize(Lp(16), Lp(16)));
}

int Window::FocusedControlId() const {
    return controlIdOf(QApplication::focusWidget());
}

int Window::controlIdOf(const QWidget* w) const {
    for (; w && w != m_form; w = w->parentWidget()) {
        if (w->parentWidget() == m_form) {
            const int id = w->property(kControlId).toInt();
            return id == -1 ? 0 : id;
        }
    }
    return 0;
}

std::vector<int> Window::RadioGroup(int firstId) const {
    for (const auto& group : m_radioGroups)
        if (!group.empty() && group.front() == firstId) return group;
    return {};
}

QSize Window::ClientSize() const {
    return {m_form->width() / UiScale(), m_form->height() / UiScale()};
}

QRect Window::ControlRect(int id) const {
    const QWidget* w = GetDlgItem(id);
    return w ? Logical(w->geometry()) : QRect();
}

void Window::MoveControl(int id, const QRect& logical) {
    if (QWidget* w = GetDlgItem(id)) w->setGeometry(Scaled(OnScreen(w, logical)));
}

bool Window::UpdateData(bool saveAndValidate) {
    DataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    if (dx.failed()) GotoDlgCtrl(dx.failedControl());
    return !dx.failed();
}

void Window::SetTimer(int id, int ms) {
    QTimer*& timer = m_timers[id];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { OnTimer(id); });
    }
    timer->start(ms);
}

void Window::KillTimer(int id) {
    if (const auto it = m_timers.find(id); it != m_timers.end() && it->second) it->second->stop();
}

bool Window::IsTimerActive(int id) const {
    const auto it = m_timers.find(id);
    return it != m_timers.end() && it->second && it->second->isActive();
}

bool Window::CreateSoftKeyBar(int menuId) {
    const res::MenuTemplate* menu = res::FindMenu(menuId);
    if (!menu) return false;
    delete m_softKeyBar;
    m_softKeyBar = new SoftKeyBar(*menu, *this, this);
    m_layout->addWidget(m_softKeyBar);
    return true;
}

bool Window::CreateMenuBarIfSupported(int menuId) {
    return UsesSoftKeyBar() && CreateSoftKeyBar(menuId);
}

bool Window::CreateCommandBar(int toolBarId) {
    const res::ToolBarTemplate* bar = res::FindToolBar(toolBarId);
    if (!bar) return false;
    delete m_commandBar;
    m_commandBar = new CommandBar(*bar, *this, this);
    m_layout->insertWidget(0, m_commandBar);
    m_commandBar->updateButtons();
    return true;
}

bool Window::PreTranslateKeyDown(int virtualKey) {
    return RunKeyTable(virtualKey);
}

void Window::setSizeRules(std::vector<SizeRule> rules) {
    m_sizeRules = std::move(rules);
    setMinimumFormSize(m_designSize / 2);
    OnSize(ClientSize().width(), ClientSize().height());
}

void Window::setMinimumFormSize(QSize logical) {
    m_form->setMinimumSize(Lp(logical.width()), Lp(logical.height()));
}

void Window::OnSize(int cx, int cy) {
    applySizeRules(cx, cy);
}

void Window::applySizeRules(int cx, int cy) {
    const int dx = cx - m_designSize.width();
    const int dy = cy - m_designSize.height();
    for (const SizeRule& rule : m_sizeRules) {
        const auto it = m_designRects.find(rule.id);
        if (it == m_designRects.end()) continue;
        QRect r = it->second;
        const bool left = rule.anchors & AnchorLeft, right = rule.anchors & AnchorRight;
        const bool top = rule.anchors & AnchorTop, bottom = rule.anchors & AnchorBottom;
        if (left && right)
            r.setWidth(r.width() + dx);
        else if (right)
            r.moveLeft(r.x() + dx);
        else if (!left)
            r.moveLeft(r.x() + dx / 2);
        if (top && bottom)
            r.setHeight(r.height() + dy);
        else if (bottom)
            r.moveTop(r.y() + dy);
        else if (!top)
            r.moveTop(r.y() + dy / 2);
        r.setSize(r.size().expandedTo(QSize(0, 0))); // a window smaller than the design
        MoveControl(rule.id, r);
    }
}

void Window::onFocusChanged(QWidget* now) {
    const int id = controlIdOf(now);
    if (id == m_lastFocusId) return;
    const int old = m_lastFocusId;
    m_lastFocusId = id;
    if (old) {
        NotifyInfo info{old, Notify::KillFocus};
        SendNotify(info);
    }
    if (id) {
        NotifyInfo info{id, Notify::SetFocus};
        SendNotify(info);
    }
}

bool Window::OnUnhandledCommand(int) {
    return false;
}

// Enter and Escape that no control took become commands; a window that
// handles neither (a property page, the command panel) lets them go on to the
// window around it.
void Window::keyPressEvent(QKeyEvent* event) {
    const int vk = VirtualKeyOf(*event);
    bool handled = false;
    if (vk == VK_RETURN) {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        const int focusedId = controlIdOf(focused);
        const bool plainButton = focused && !focused->isCheckable() && focusedId > 0;
        const int id = plainButton ? focusedId : m_defaultButtonId;
        const QWidget* button = GetDlgItem(id);
        handled = button && !button->isEnabled(); // a disabled default button swallows Enter
        if (!handled) handled = SendCommand(id);
    } else if (vk == VK_ESCAPE) {
        handled = SendCommand(IDCANCEL);
    }
    if (!handled) QWidget::keyPressEvent(event);
}

void Window::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    OnShowWindow(true);
}

void Window::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    OnShowWindow(false);
}

bool Window::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_form && event->type() == QEvent::Resize) {
        OnSize(ClientSize().width(), ClientSize().height());
        return false;
    }
    const int id = watched->property(kControlId).toInt();
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* viewport = static_cast<QWidget*>(watched);
        if (auto* tree = qobject_cast<QTreeView*>(viewport->parentWidget())) {
            const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
            const QModelIndex index = tree->indexAt(pos);
            NotifyInfo info{id, Notify::ItemClick, index.isValid() ? index.row() : -1,
                            index.isValid() ? index.column() : tree->header()->logicalIndexAt(pos)};
            SendNotify(info);
        }
    } else if (event->type() == QEvent::KeyPress && qobject_cast<QTreeView*>(watched)) {
        NotifyInfo info{id, Notify::ItemKeyDown};
        info.key = VirtualKeyOf(*static_cast<QKeyEvent*>(event));
        // A handler that sets a non-zero result keeps the key from the list.
        if (SendNotify(info) && info.result != 0) return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tb::ui
