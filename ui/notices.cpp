#include "ui/notices.h"

#include <QMessageBox>

namespace vrn {

void Notices::post(QWidget* parent, const QString& title, const QString& text)
{
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
    box->show();
}

} // namespace vrn
