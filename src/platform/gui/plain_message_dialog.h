#pragma once
// Inside the windowing layer only: the plain message dialog behind ShowPlainMessageBox.

#include <QDialog>
#include <QString>
#include <QTextDocument>

namespace melvanto::gui {

// The message as laid out: "&" markers resolved into underlined characters, line breaks
// (CR LF, LF or CR) as paragraphs, tabs expanded to the next multiple of 8 columns.
void LayOutPlainMessage(const QString& text, QTextDocument& document);

class PlainMessageDialog : public QDialog {
public:
    PlainMessageDialog(const QString& caption, const QString& text);

    const QTextDocument& Document() const { return m_document; }
    // What Ctrl+C puts on the clipboard.
    QString ClipboardRendering() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_text;
    QTextDocument m_document;
};

} // namespace melvanto::gui
