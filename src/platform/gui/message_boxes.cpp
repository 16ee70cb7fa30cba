#include "platform/gui/message_boxes.h"

#include "platform/gui/modal_box_hooks.h"
#include "platform/gui/plain_message_dialog.h"
#include "platform/gui/qt_bridge.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace melvanto::gui {

namespace {

// Gives the active window and the keyboard focus back when a box has been closed.
class FocusKeeper {
public:
    FocusKeeper() : m_active(QApplication::activeWindow()), m_focus(QApplication::focusWidget()) {}
    ~FocusKeeper() {
        if (m_active) m_active->activateWindow();
        if (m_focus) m_focus->setFocus(Qt::OtherFocusReason);
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    QPointer<QWidget> m_active;
    QPointer<QWidget> m_focus;
};

void runModal(QDialog& dialog) {
    FocusKeeper keeper;
    dialog.setWindowModality(Qt::ApplicationModal);
    if (auto driver = ModalHooks().driver) {
        QTimer::singleShot(0, &dialog, [&dialog, driver] {
            // Let the box be activated and drawn first, as the user would see it.
            QCoreApplication::processEvents();
            test::ShownBox box(&dialog);
            driver(box);
            if (dialog.isVisible()) dialog.reject();
        });
    }
    dialog.exec();
}

bool observed(test::BoxKind kind, const std::string& caption, test::BoxIcon icon,
              const std::string& text) {
    if (!ModalHooks().observer) return false;
    auto observer = ModalHooks().observer;
    observer(test::ModalBox{kind, caption, icon, text, {"OK"}});
    return true;
}

} // namespace

ModalBoxHooks& ModalHooks() {
    static ModalBoxHooks hooks;
    return hooks;
}

void ShowPlainMessageBox(const std::string& caption, const std::string& text) {
    if (observed(test::BoxKind::Plain, caption, test::BoxIcon::None, text)) return;
    PlainMessageDialog dialog(ToQString(caption), ToQString(text));
    runModal(dialog);
}

void ShowFailureBox(const std::string& caption, const std::string& text) {
    if (observed(test::BoxKind::Failure, caption, test::BoxIcon::Stop, text)) return;
    QMessageBox box(QMessageBox::Critical, ToQString(caption), ToQString(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    runModal(box);
}

} // namespace melvanto::gui
