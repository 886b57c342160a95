#include "ui/framework/testing/Screenshot.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace tb::ui::testing {

bool SaveScreenshot(QWidget& widget, const QString& path) {
    const bool wasVisible = widget.isVisible();
    if (!wasVisible) widget.show();
    QApplication::processEvents(); // lets layouts and size rules settle
    const QPixmap picture = widget.grab();
    if (!wasVisible) widget.hide();
    if (picture.isNull()) return false;
    return picture.toImage().save(path, "PNG");
}

} // namespace tb::ui::testing
