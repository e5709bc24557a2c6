#include "app/application.h"

#include "app/form2.h"
#include "cards/common/link_messages.h"
#include "cards/vrn_a/form1.h"
#include "cards/vrn_b/form3.h"
#include "cards/vrn_c/form4.h"
#include "cards/vrn_d/form5.h"
#include "sim/simulated_transport.h"
#include "ui/status_line.h"

#include <QCoreApplication>

namespace vrn {

Application::Application()
    : m_launcher(std::make_unique<Form2>()), m_end([] { QCoreApplication::exit(0); })
{
    connect(m_launcher.get(), &Form2::portChosen, this, &Application::choosePort);
    connect(m_launcher.get(), &Form2::deviceChosen, this, &Application::chooseDevice);
    connect(m_launcher.get(), &Form2::simulatedCardChosen, this, &Application::chooseSimulatedCard);
    connect(m_launcher.get(), &Form2::cardWindowWanted, this,
            [this](int model) { showCardWindow(static_cast<CardModel>(model)); });
    connect(m_launcher.get(), &Form2::closed, this, &Application::onLauncherClosed);
    const auto showLinkState = [this] {
        m_launcher->statusLine()->setLinkText(LinkMessages::linkState(m_link));
    };
    connect(&m_link, &Link::portChanged, this, showLinkState);
    showLinkState();
}

Application::~Application()
{
    // The program is ending: a transfer still waiting is abandoned and no handler runs.
    m_link.engine().abandon();
    for (auto& card : m_cards)
        delete card.data();
}

void Application::start()
{
    m_launcher->show();
}

void Application::showLauncher()
{
    m_launcher->show();
    m_launcher->raise();
    m_launcher->activateWindow();
}

CardWindow* Application::cardWindow(CardModel model) const
{
    return m_cards[static_cast<std::size_t>(model)].data();
}

CardWindow* Application::showCardWindow(CardModel model)
{
    QPointer<CardWindow>& slot = m_cards[static_cast<std::size_t>(model)];
    if (!slot) {
        switch (model) {
        case CardModel::VrnA:
            slot = new Form1(m_context);
            // Closing the VRN-A window closes the port, then the program ends.
            connect(slot, &CardWindow::closed, this, [this] {
                m_link.closePort();
                endProgram();
            });
            break;
        case CardModel::VrnB:
            slot = new Form3(m_context);
            break;
        case CardModel::VrnC:
            slot = new Form4(m_context);
            break;
        case CardModel::VrnD:
            slot = new Form5(m_context);
            break;
        }
        if (model != CardModel::VrnA)
            slot->setAttribute(Qt::WA_DeleteOnClose); // shown again, it starts afresh
        connect(slot, &CardWindow::exitRequested, this, &Application::endProgram);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

void Application::choosePort(int portNumber)
{
    if (!m_link.openPort(portNumber))
        reportPortProblem();
}

void Application::chooseDevice(const QString& deviceName)
{
    if (!m_link.openDevice(deviceName))
        reportPortProblem();
}

void Application::chooseSimulatedCard()
{
    if (!sim::openSimulatedCard(m_link, m_simulatedCard))
        reportPortProblem();
}

void Application::reportPortProblem()
{
    m_notices.post(m_launcher.get(), m_launcher->windowTitle(),
                   LinkMessages::portProblem(m_link.lastError()));
}

bool Application::anyCardWindowVisible() const
{
    for (const auto& card : m_cards) {
        if (card && card->isVisible())
            return true;
    }
    return false;
}

void Application::onLauncherClosed()
{
    m_link.closePort();
    if (!anyCardWindowVisible())
        endProgram();
}

void Application::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    m_link.engine().abandon();
    if (m_end)
        m_end();
}

} // namespace vrn
