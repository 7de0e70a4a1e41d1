#pragma once

#include <QWidget>

class MessageBox;
class QTextBrowser;
struct SharedState;

// The help book in a window of its own: pages linked to each other, back and forward, the
// contents page, and text that can be made larger or smaller. It reads local files only.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    HelpWindow(const SharedState& state, MessageBox& messages, QWidget* owner);

    // Opens the book at page (a file of the book with an optional "#anchor"; empty: the
    // contents page). When no book is found, a message names the places looked at.
    bool showPage(const QString& page);
    bool showContents() { return showPage(QString()); }

    QTextBrowser& browser() { return *m_browser; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString findContentsPage() const;
    void showAboveModalDialogs();

    const SharedState& m_state;
    MessageBox& m_messages;
    QTextBrowser* m_browser = nullptr;
};

inline const QString kHelpTitle = QStringLiteral("ヘルプ");
inline const QString kHelpMissingText =
    QStringLiteral("ヘルプのファイルが見つかりません。次の場所を探しました。");
