#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;

namespace vrn {

// Tells the user what went wrong without blocking: a message window that stays beside the
// others, so a failed transfer or file never stops the rest of the program.
class Notices : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    static constexpr qsizetype kHistoryLength = 100; // the latest notices, for tests

    // A way out that the message offers beside its OK button ("Show the launcher").
    struct Offer
    {
        QString caption;
        std::function<void()> act;
    };

    void post(QWidget* parent, const QString& title, const QString& text, const Offer& offer = {});

    // Off in tests: the notices are recorded and signalled but no window opens.
    void setShowWindows(bool show) { m_showWindows = show; }
    bool showsWindows() const { return m_showWindows; }
    const QStringList& history() const { return m_history; }
    QString last() const { return m_history.isEmpty() ? QString() : m_history.last(); }

    // The latest message's offer, taken as if its button had been pressed (for tests).
    void takeLastOffer();

Q_SIGNALS:
    void posted(const QString& title, const QString& text);

private:
    bool m_showWindows = true;
    QStringList m_history;
    Offer m_lastOffer;
};

} // namespace vrn
