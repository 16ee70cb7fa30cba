#include "platform/gui/plain_message_dialog.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>
#include <cmath>

namespace melvanto::gui {

namespace {

const QString kOk = QStringLiteral("OK");
constexpr int kTabColumns = 8;

// Draws the laid-out message, wrapped at word boundaries to at most half the screen.
class MessageText : public QWidget {
public:
    MessageText(QTextDocument& document, QWidget* parent) : QWidget(parent), m_document(document) {
        m_document.setDefaultFont(font());
        m_document.setDocumentMargin(0);
        QTextOption option = m_document.defaultTextOption();
        option.setWrapMode(QTextOption::WordWrap);
        m_document.setDefaultTextOption(option);
        const int limit = QGuiApplication::primaryScreen()->geometry().width() / 2;
        m_document.setTextWidth(-1);
        if (m_document.idealWidth() > limit) m_document.setTextWidth(limit);
        // A single word longer than the limit is not broken and widens the text.
        m_document.setTextWidth(std::ceil(m_document.idealWidth()));
        setFixedSize(static_cast<int>(std::ceil(m_document.idealWidth())),
                     static_cast<int>(std::ceil(m_document.size().height())));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = palette();
        m_document.documentLayout()->draw(&painter, context);
    }

private:
    QTextDocument& m_document;
};

} // namespace

void LayOutPlainMessage(const QString& text, QTextDocument& document) {
    document.clear();
    QTextCursor cursor(&document);
    QTextCharFormat plain;
    QTextCharFormat underlined;
    underlined.setFontUnderline(true);
    int column = 0;
    bool underlineNext = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'&' && !underlineNext) {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                cursor.insertText(QStringLiteral("&"), plain);
                ++column;
                ++i;
            } else {
                underlineNext = true;
            }
            continue;
        }
        const QTextCharFormat& format = underlineNext ? underlined : plain;
        underlineNext = false;
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            cursor.insertBlock();
            column = 0;
        } else if (c == u'\t') {
            const int spaces = kTabColumns - column % kTabColumns;
            cursor.insertText(QString(spaces, u' '), plain);
            column += spaces;
        } else {
            cursor.insertText(QString(c), format);
            ++column;
        }
    }
}

PlainMessageDialog::PlainMessageDialog(const QString& caption, const QString& text)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      m_text(text) {
    setWindowTitle(caption);
    LayOutPlainMessage(text, m_document);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(20, 16, 20, 12);
    layout->setSpacing(16);
    layout->addWidget(new MessageText(m_document, this));
    auto* ok = new QPushButton(kOk, this);
    ok->setFixedSize(75, 25);
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addLayout(buttons);
    // OK and Esc both end the dialog, like the close box.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();

    adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.x() + (screen.width() - width()) / 2,
         screen.y() + (screen.height() - height()) / 2);
}

QString PlainMessageDialog::ClipboardRendering() const {
    // Line breaks are the platform's own, "\n", so the text pastes cleanly here.
    const QString divider = QString(27, u'-') + u'\n';
    QString buttons;
    for (const QPushButton* button : findChildren<QPushButton*>())
        buttons += QString(button->text()).remove(u'&') + QStringLiteral("   ");
    return divider + windowTitle() + u'\n' + divider + m_text + u'\n' + divider + buttons + u'\n' +
           divider;
}

void PlainMessageDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QApplication::beep();
        QGuiApplication::clipboard()->setText(ClipboardRendering());
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace melvanto::gui
