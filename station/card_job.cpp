#include "card_job.h"

#include "card_window.h"
#include "card_windows.h"
#include "simulated_transport.h"

#include <QRegularExpression>

namespace vrn {

QString portFileName(const QString& port)
{
    QString name = port;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    // Characters that mean something in a path, on any system, become dashes.
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]+"));
    name.replace(unsafe, QStringLiteral("-"));
    while (name.startsWith(u'-') || name.startsWith(u'.'))
        name.remove(0, 1);
    return name.isEmpty() ? QStringLiteral("port") : name;
}

CardJob::CardJob(CardModel model, Link* shared, QObject* parent)
    : QObject(parent), m_model(model),
      m_shared(shared), m_context{m_slots, shared ? *shared : m_ownLink, m_files, m_notices,
                                  &m_watch}
{
    m_window = makeCardWindow(model, m_context);
    // The window's notices become the job's words; a verify after every Send is the driver's
    // to decide.
    m_notices.setShowWindows(false);
    connect(&m_notices, &Notices::posted, this,
            [this](const QString&, const QString& text) { m_told << text; });
    m_window->setVerifyAfterSendOptionFollowed(false);
}

CardJob::~CardJob()
{
    // A transfer of this job still waiting is dropped without telling anyone; the window goes
    // before the context it works with.
    if (ownsLink())
        m_ownLink.engine().abandon();
    m_window.reset();
}

bool CardJob::openPort(const QString& port)
{
    if (!ownsLink())
        return false;
    return port == kSimulatedPort ? sim::openSimulatedCard(m_ownLink, m_simulatedCard)
                                  : m_ownLink.openDevice(port);
}

void CardJob::closePort()
{
    if (ownsLink())
        m_ownLink.closePort();
}

QString CardJob::takeTold()
{
    const QString told = m_told.join(QLatin1Char(' '));
    m_told.clear();
    return told;
}

} // namespace vrn
