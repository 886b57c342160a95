#include "ui/framework/Framework.h"

#include "platform/MessageBox.h"
#include "platform/System.h"
#include "res/Resources.h"
#include "ui/framework/CommandTarget.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVariant>

namespace tb::ui {
namespace {

constexpr int kScale = 2;
QPointer<QWidget> g_mainWindow;

// Properties that keep the conversion status of a widget.
constexpr char kImeConversion[] = "tbImeConversion";
constexpr char kImeSentence[] = "tbImeSentence";

// Conversion-status bits of the handset's input method.
constexpr plat::DWORD kNative = 0x1;
constexpr plat::DWORD kKatakana = 0x2;
constexpr plat::DWORD kFullShape = 0x8;

QMessageBox::Icon IconOf(unsigned flags) {
    switch (flags & 0xF0) {
    case plat::MB_ICONSTOP:
        return QMessageBox::Critical;
    case plat::MB_ICONQUESTION:
        return QMessageBox::Question;
    case plat::MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case plat::MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

bool UsesSoftKeyBar() {
    return plat::GetOsMajorVersion() >= 5 &&
           plat::GetPlatformType().left(64) == QStringLiteral("PocketPC");
}

int UiScale() {
    return kScale;
}

QFont HandsetFont() {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(Lp(11));
    return font;
}

void InstallFramework(QApplication& app) {
    app.setFont(HandsetFont());
    app.setWindowIcon(ProgramIcon());
    InstallMessageBoxHandler();
    InstallImeHandlers();
}

int ShowMessageBox(const QString& text, const QString& caption, unsigned flags) {
    QMessageBox box(IconOf(flags), caption, text, QMessageBox::NoButton, MainWindow());
    const bool yesNo = (flags & 0xF) == plat::MB_YESNO;
    const bool okCancel = (flags & 0xF) == plat::MB_OKCANCEL;
    QPushButton* first = nullptr;
    QPushButton* second = nullptr;
    if (yesNo) {
        first = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
        second = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
    } else {
        first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        if (okCancel) second = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    }
    const bool secondDefault = second && (flags & plat::MB_DEFBUTTON2);
    box.setDefaultButton(secondDefault ? second : first);
    box.setEscapeButton(second ? second : first);
    box.exec();
    const bool tookSecond = second && box.clickedButton() == second;
    if (yesNo) return tookSecond ? plat::IDNO : plat::IDYES;
    return tookSecond ? plat::IDCANCEL : plat::IDOK;
}

void InstallMessageBoxHandler() {
    plat::SetMessageBoxHandler(&ShowMessageBox);
}

void InstallImeHandlers() {
    plat::ImeHandlers handlers;
    handlers.get = [](QObject* window, plat::DWORD* conversion, plat::DWORD* sentence) {
        if (!window) return false;
        if (conversion) *conversion = window->property(kImeConversion).toUInt();
        if (sentence) *sentence = window->property(kImeSentence).toUInt();
        return true;
    };
    handlers.set = [](QObject* window, plat::DWORD conversion, plat::DWORD sentence) {
        if (!window) return false;
        window->setProperty(kImeConversion, QVariant::fromValue(conversion));
        window->setProperty(kImeSentence, QVariant::fromValue(sentence));
        if (auto* widget = qobject_cast<QWidget*>(window)) {
            Qt::InputMethodHints hints = widget->inputMethodHints();
            hints &= ~(Qt::ImhPreferLatin | Qt::ImhPreferNumbers | Qt::ImhLatinOnly |
                       Qt::ImhPreferLowercase);
            if (!(conversion & kNative)) {
                // Alphanumeric: full width still prefers Latin letters; half
                // width is the handset's number mode.
                hints |= Qt::ImhPreferLatin;
                if (!(conversion & kFullShape)) hints |= Qt::ImhPreferNumbers;
            } else if (conversion & kKatakana) {
                hints |= Qt::ImhNoPredictiveText; // katakana is typed as is
            } else {
                hints &= ~Qt::ImhNoPredictiveText;
            }
            widget->setInputMethodHints(hints);
            if (widget->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImHints);
        }
        return true;
    };
    plat::SetImeHandlers(std::move(handlers));
}

void SetMainWindow(QWidget* window) {
    g_mainWindow = window;
}

QWidget* MainWindow() {
    if (g_mainWindow) return g_mainWindow;
    return QApplication::activeWindow();
}

QPixmap ResourcePixmap(int imageId, int logicalWidth, int logicalHeight) {
    QSvgRenderer renderer(res::ImagePath(imageId));
    if (!renderer.isValid()) return {};
    QPixmap pixmap(Lp(logicalWidth), Lp(logicalHeight));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QPixmap ResourcePixmap(int imageId) {
    const QSvgRenderer renderer(res::ImagePath(imageId));
    if (!renderer.isValid()) return {};
    return ResourcePixmap(imageId, renderer.defaultSize().width(), renderer.defaultSize().height());
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 64})
        icon.addPixmap(ResourcePixmap(res::IDR_MAINFRAME, size, size));
    return icon;
}

int VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (keypad ? VK_NUMPAD0 : VK_0) + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_F1:
        return VK_F1;
    case Qt::Key_F2:
        return VK_F2;
    // Keypad operators carry the keypad modifier; the main keyboard's
    // punctuation of the same look is not a handset key.
    case Qt::Key_Asterisk:
        return keypad ? VK_MULTIPLY : 0;
    case Qt::Key_Plus:
        return keypad ? VK_ADD : 0;
    case Qt::Key_Minus:
        return keypad ? VK_SUBTRACT : 0;
    case Qt::Key_Slash:
        return keypad ? VK_DIVIDE : 0;
    default:
        return 0;
    }
}

} // namespace tb::ui
