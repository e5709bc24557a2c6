#include "notices.h"

#include <QMessageBox>
#include <QPushButton>

namespace vrn {

void Notices::post(QWidget* parent, const QString& title, const QString& text, const Offer& offer)
{
    m_lastOffer = offer;
    m_history.append(text);
    if (m_history.size() > kHistoryLength)
        m_history.removeFirst(); // a long run with a failing card must not keep every message
    Q_EMIT posted(title, text);
    if (!m_showWindows)
        return;
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("notice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    if (offer.act) {
        QPushButton* button = box->addButton(offer.caption, QMessageBox::AcceptRole);
        button->setObjectName(QStringLiteral("noticeOffer"));
        connect(button, &QPushButton::clicked, this, [act = offer.act] { act(); });
    }
    box->show();
}

void Notices::takeLastOffer()
{
    if (m_lastOffer.act)
        m_lastOffer.act();
}

} // namespace vrn
