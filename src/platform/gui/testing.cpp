#include "platform/gui/testing.h"

#include "platform/gui/modal_box_hooks.h"
#include "platform/gui/plain_message_dialog.h"
#include "platform/gui/qt_bridge.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTreeWidget>
#include <stdexcept>

namespace melvanto::gui::test {

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void sendKey(QWidget* target, Key key) {
    int code = Qt::Key_Return;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text = QStringLiteral("\r");
    switch (key) {
    case Key::Escape:
        code = Qt::Key_Escape;
        text = QString(QChar(0x1B));
        break;
    case Key::CtrlC:
        code = Qt::Key_C;
        modifiers = Qt::ControlModifier;
        text = QString(QChar(0x03));
        break;
    case Key::Tab:
        code = Qt::Key_Tab;
        text = QStringLiteral("\t");
        break;
    case Key::Enter:
        break;
    }
    QPointer<QWidget> receiver(target);
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QApplication::sendEvent(receiver, &press);
    if (!receiver) return;
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
    QApplication::sendEvent(receiver, &release);
}

PictureBitmap toBitmap(QWidget* widget) {
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB888);
    PictureBitmap bitmap(image.width(), image.height(), PictureBitmap::Format::Rgb24);
    for (int y = 0; y < image.height(); ++y)
        std::copy_n(image.constScanLine(y), bitmap.BytesPerRow(), bitmap.Row(y));
    return bitmap;
}

Alignment fromQt(Qt::Alignment alignment) {
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == Qt::AlignHCenter) return Alignment::Centre;
    if (alignment == Qt::AlignRight) return Alignment::Right;
    return Alignment::Left;
}

// A point of the list's viewport that holds no row, or none.
std::optional<QPoint> freePoint(const QTreeWidget* list) {
    const QWidget* viewport = list->viewport();
    const int right = viewport->width() - 2;
    const int bottom = viewport->height() - 2;
    for (QPoint candidate : {QPoint(right, bottom), QPoint(2, bottom), QPoint(right, 2)})
        if (viewport->rect().contains(candidate) && !list->indexAt(candidate).isValid())
            return candidate;
    return std::nullopt;
}

} // namespace

void Click(Button& button) {
    QWidget* widget = GuiAccess::WidgetOf(button);
    const QPoint centre = widget->rect().center();
    sendMouse(widget, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, centre, Qt::NoButton);
}

void DoubleClick(ListView& list, std::optional<int> row) {
    auto* view = static_cast<QTreeWidget*>(GuiAccess::WidgetOf(list));
    if (!view->window()->isVisible())
        throw std::logic_error("double-click in a list whose window is not shown");
    QWidget* viewport = view->viewport();
    QPoint at;
    if (row) {
        QTreeWidgetItem* item = *row >= 0 ? view->topLevelItem(*row) : nullptr;
        if (!item) throw std::out_of_range("no list row " + std::to_string(*row));
        view->scrollToItem(item);
        at = view->visualItemRect(item).center();
        sendMouse(viewport, QEvent::MouseButtonPress, at, Qt::LeftButton);
        sendMouse(viewport, QEvent::MouseButtonRelease, at, Qt::NoButton);
    } else {
        const std::optional<QPoint> free = freePoint(view);
        if (!free) throw std::logic_error("the list has no free area to double-click");
        view->clearSelection();
        at = *free;
    }
    sendMouse(viewport, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

void PressKey(Widget& widget, Key key) {
    sendKey(GuiAccess::WidgetOf(widget), key);
}

void Focus(Widget& widget) {
    GuiAccess::WidgetOf(widget)->setFocus(Qt::OtherFocusReason);
}

std::string FocusedWidgetName() {
    const QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName().toStdString() : std::string();
}

void ProcessEvents() {
    // Twice: what the first round runs (a paint) may queue more (its failure report).
    for (int round = 0; round < 2; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void PostToLoop(Handler handler) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [handler = std::move(handler)] { Dispatch(handler); },
        Qt::QueuedConnection);
}

PictureBitmap Grab(const Widget& widget) {
    return toBitmap(GuiAccess::WidgetOf(widget));
}

PictureBitmap Grab(const Window& window) {
    return toBitmap(GuiAccess::AreaOf(window));
}

FrameTraits Frame(const Window& window) {
    const QWidget* widget = GuiAccess::AreaOf(window);
    const Qt::WindowFlags flags = widget->windowFlags();
    FrameTraits traits;
    traits.sizeable = widget->minimumSize() != widget->maximumSize() &&
                      !(flags & Qt::MSWindowsFixedSizeDialogHint);
    traits.systemMenu = flags.testFlag(Qt::WindowSystemMenuHint);
    traits.closeBox = flags.testFlag(Qt::WindowCloseButtonHint);
    traits.minimizeBox = flags.testFlag(Qt::WindowMinimizeButtonHint);
    traits.maximizeBox = flags.testFlag(Qt::WindowMaximizeButtonHint);
    return traits;
}

Point Position(const Window& window) {
    const QPoint at = GuiAccess::AreaOf(window)->pos();
    return Point{at.x(), at.y()};
}

Rect DesktopArea() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return Rect{area.x(), area.y(), area.width(), area.height()};
}

std::u16string ResolvedFontFamily(const Font& font) {
    return QFontInfo(ToQFont(font)).family().toStdU16String();
}

bool FamilyCoversChinese(const std::u16string& family) {
    return QFontDatabase::writingSystems(QString::fromStdU16String(family))
        .contains(QFontDatabase::SimplifiedChinese);
}

Alignment CellAlignment(const ListView& list, int row, int column) {
    const auto* view = static_cast<const QTreeWidget*>(GuiAccess::WidgetOf(list));
    const QTreeWidgetItem* item = row >= 0 ? view->topLevelItem(row) : nullptr;
    if (!item) throw std::out_of_range("no list row " + std::to_string(row));
    return fromQt(Qt::Alignment(item->textAlignment(column)));
}

std::string ClipboardText() {
    return ToAnsi(QGuiApplication::clipboard()->text());
}

// ---- Modal boxes ----------------------------------------------------------------------

ModalBoxRecorder::ModalBoxRecorder(std::function<void(const ModalBox&)> onBox)
    : m_onBox(std::move(onBox)), m_previous(ModalHooks().observer) {
    ModalHooks().observer = [this](const ModalBox& box) {
        m_boxes.push_back(box);
        if (m_onBox) m_onBox(box);
    };
}

ModalBoxRecorder::~ModalBoxRecorder() {
    ModalHooks().observer = std::move(m_previous);
}

ModalBoxDriver::ModalBoxDriver(std::function<void(ShownBox&)> driver)
    : m_previous(ModalHooks().driver) {
    ModalHooks().driver = std::move(driver);
}

ModalBoxDriver::~ModalBoxDriver() {
    ModalHooks().driver = std::move(m_previous);
}

namespace {

const PlainMessageDialog* plainDialog(const QWidget* dialog) {
    return dynamic_cast<const PlainMessageDialog*>(dialog);
}

const QMessageBox* messageBox(const QWidget* dialog) {
    return dynamic_cast<const QMessageBox*>(dialog);
}

} // namespace

BoxKind ShownBox::Kind() const {
    return plainDialog(m_dialog) ? BoxKind::Plain : BoxKind::Failure;
}

std::string ShownBox::Caption() const {
    return ToAnsi(m_dialog->windowTitle());
}

BoxIcon ShownBox::Icon() const {
    const QMessageBox* box = messageBox(m_dialog);
    return box && box->icon() == QMessageBox::Critical ? BoxIcon::Stop : BoxIcon::None;
}

std::string ShownBox::ShownText() const {
    if (const PlainMessageDialog* dialog = plainDialog(m_dialog))
        return ToAnsi(dialog->Document().toPlainText());
    const auto* label = m_dialog->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    return label ? ToAnsi(label->text()) : std::string();
}

std::string ShownBox::UnderlinedText() const {
    const PlainMessageDialog* dialog = plainDialog(m_dialog);
    if (!dialog) return {};
    QString underlined;
    for (QTextBlock block = dialog->Document().begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().fontUnderline()) underlined += it.fragment().text();
    return ToAnsi(underlined);
}

std::vector<std::string> ShownBox::Buttons() const {
    std::vector<std::string> captions;
    for (const QAbstractButton* button : m_dialog->findChildren<QAbstractButton*>())
        captions.push_back(ToAnsi(button->text()));
    return captions;
}

std::string ShownBox::DefaultButton() const {
    for (const QPushButton* button : m_dialog->findChildren<QPushButton*>())
        if (button->isDefault()) return ToAnsi(button->text());
    return {};
}

bool ShownBox::IsResizable() const {
    return m_dialog->minimumSize() != m_dialog->maximumSize();
}

Size ShownBox::OuterSize() const {
    return Size{m_dialog->width(), m_dialog->height()};
}

Point ShownBox::Position() const {
    return Point{m_dialog->x(), m_dialog->y()};
}

bool ShownBox::IsOpen() const {
    return m_dialog->isVisible();
}

void ShownBox::PressKey(Key key) {
    QWidget* focus = m_dialog->focusWidget();
    sendKey(focus ? focus : m_dialog, key);
}

void ShownBox::CloseFromTitleBar() {
    m_dialog->close();
}

} // namespace melvanto::gui::test
