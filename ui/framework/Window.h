// A window built from a dialog template: every control made from its table
// entry, with its decimal ID as objectName; commands and notifications routed
// through the message map (CommandTarget); members exchanged with the controls
// (DoDataExchange); key-downs inspected before the controls; the controls laid
// out on resize; timers; the soft-key bar or command bar.
//
// Coordinates given to and taken from a Window are logical pixels of the
// handset screen; the window layer scales them (UiScale) for the host display.
#pragma once

#include "res/ResourceTypes.h"
#include "ui/framework/CommandTarget.h"
#include "ui/framework/DataExchange.h"

#include <QRect>
#include <QSize>
#include <QWidget>
#include <map>
#include <vector>

class QKeyEvent;
class QScrollArea;
class QTimer;
class QVBoxLayout;

namespace tb::ui {

class SoftKeyBar;
class CommandBar;

// Resize rules: which edges of the window a control keeps its distance to.
enum Anchor : unsigned {
    AnchorLeft = 0x1,
    AnchorTop = 0x2,
    AnchorRight = 0x4,
    AnchorBottom = 0x8,
    AnchorTopLeft = AnchorLeft | AnchorTop,
    AnchorAll = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom,
};
struct SizeRule {
    int id;
    unsigned anchors;
};

// The text a control shows (label, edit, button, combo field, picker) and
// setting it without sending a change notification.
QString ControlText(const QWidget* control);
void SetControlText(QWidget* control, const QString& text);

class Window : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    // Builds the controls of dialog template `templateId` (which must exist).
    explicit Window(int templateId, QWidget* parent = nullptr);
    // Builds the controls of a template that is not in the resource index (tests).
    explicit Window(const res::DialogTemplate& tmpl, QWidget* parent = nullptr);
    // A window without template controls (a property sheet, a frame's content).
    explicit Window(const QString& title, QSize designSize, QWidget* parent = nullptr);
    ~Window() override;

    int templateId() const { return m_templateId; }

    // Controls by ID (null when there is none).
    QWidget* GetDlgItem(int id) const;
    template <class W> W* item(int id) const { return qobject_cast<W*>(GetDlgItem(id)); }
    QString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const QString& text);
    void ShowControl(int id, bool show);
    void EnableControl(int id, bool enable);
    bool IsControlEnabled(int id) const;
    void CheckDlgButton(int id, bool checked);
    bool IsDlgButtonChecked(int id) const;
    void GotoDlgCtrl(int id);
    // Puts an image resource at the top left of a push button (the back button).
    void SetButtonImage(int id, int imageId);
    int FocusedControlId() const; // 0 when the focus is on no control of this window

    // The design size of the template and the current client size, logical.
    QSize DesignSize() const { return m_designSize; }
    QSize ClientSize() const;
    QRect ControlRect(int id) const;
    // A combo box takes one line of the height; the rest is its drop-down.
    void MoveControl(int id, const QRect& logical);

    // Members <-> controls. Returns false when a value fails validation.
    bool UpdateData(bool saveAndValidate = true);

    // Timers as the handset has them: fire every `ms` until killed.
    void SetTimer(int id, int ms);
    void KillTimer(int id);
    bool IsTimerActive(int id) const;

    // The soft-key bar from a menu resource, at the bottom of the window;
    // its commands come here. Replaces an earlier bar. False without the menu.
    bool CreateSoftKeyBar(int menuId);
    // The same, only when the platform test passes (UsesSoftKeyBar()).
    bool CreateMenuBarIfSupported(int menuId);
    SoftKeyBar* softKeyBar() const { return m_softKeyBar; }
    // A command bar with a tool-bar resource, at the top of the window.
    bool CreateCommandBar(int toolBarId);
    CommandBar* commandBar() const { return m_commandBar; }

    // The widget the controls sit on (inside a scroll area).
    QWidget* form() const { return m_form; }

    // Called by the key filter for each key-down reaching a control of this
    // window (or the window itself) before the control sees it; true consumes
    // it. The default runs the key table. Must not act when it returns false.
    virtual bool PreTranslateKeyDown(int virtualKey);

protected:
    virtual void DoDataExchange(DataExchange& /*dx*/) {}
    // Default resize handling: applies the size rules. cx, cy logical.
    virtual void OnSize(int cx, int cy);
    virtual void OnTimer(int /*id*/) {}
    // The window was shown or hidden (the show-window message).
    virtual void OnShowWindow(bool /*show*/) {}
    // Keys no control took: Enter sends the default button's command (or the
    // focused push button's), Escape sends IDCANCEL.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    void setSizeRules(std::vector<SizeRule> rules);
    // The smallest form size before the form scrolls (logical); by default the
    // design size, or half of it when size rules are set.
    void setMinimumFormSize(QSize logical);

    bool OnUnhandledCommand(int id) override;
    // The ID of the default button of the template (IDOK when none).
    int DefaultButtonId() const { return m_defaultButtonId; }

private:
    friend class DataExchange;
    void buildControls(const res::DialogTemplate& tmpl);
    QWidget* createControl(const res::ControlTemplate& c);
    void wireControl(const res::ControlTemplate& c, QWidget* w);
    void applyInitLists(const res::DialogTemplate& tmpl);
    void setupFrame(const QString& title, QSize designSize);
    void onFocusChanged(QWidget* now);
    void applySizeRules(int cx, int cy);
    int controlIdOf(const QWidget* w) const;

    int m_templateId = 0;
    QSize m_designSize;
    QVBoxLayout* m_layout = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_form = nullptr;
    std::map<int, QWidget*> m_controls;
    std::map<int, QRect> m_designRects;
    std::vector<std::vector<int>> m_radioGroups;
    std::vector<SizeRule> m_sizeRules;
    std::map<int, QTimer*> m_timers;
    SoftKeyBar* m_softKeyBar = nullptr;
    CommandBar* m_commandBar = nullptr;
    int m_defaultButtonId = IDOK;
    int m_lastFocusId = 0;

public:
    // The radio group that starts with firstId (empty when none).
    std::vector<int> RadioGroup(int firstId) const;
};

} // namespace tb::ui
