#pragma once

#include "card.h"
#include "card_context.h"
#include "card_values.h"
#include "file_dialog_state.h"
#include "link.h"
#include "notices.h"
#include "slot_table.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace vrn {

class CardWindow;

// The port name that stands for a card simulated inside the job instead of a serial port.
inline const QString kSimulatedPort = QStringLiteral("simulated");

// A port's name as a part of a file name: "/dev/pts/3" gives "pts-3", "COM3" gives "COM3".
QString portFileName(const QString& port);

// One card on one port, worked by a card window of its model that is never shown, with slots,
// file state and notices of its own, so nothing it loads or reads reaches the program's
// windows. The window's own Open, Send, Read, Verify and Save do the work, so the frames, the
// pauses and the files are exactly the window's. vrn-cli runs one per port, the station one
// per row.
class CardJob : public QObject
{
    Q_OBJECT
public:
    // On a link of its own; or on `shared`, a link someone else owns and opens (the program's),
    // which the job never opens or closes.
    explicit CardJob(CardModel model, Link* shared = nullptr, QObject* parent = nullptr);
    ~CardJob() override;

    CardModel model() const { return m_model; }
    CardWindow& window() const { return *m_window; }
    Link& link() const { return m_context.link; }
    SlotTable& slots() { return m_slots; }
    bool ownsLink() const { return m_shared == nullptr; }

    // Opens a port of the job's own link: a device, or kSimulatedPort. False when it could not
    // be opened (the link's lastError() says why) or when the link is not the job's.
    bool openPort(const QString& port);
    void closePort();

    // What the window told (a file refused, a value set to the nearest the card takes) since
    // the last call, in order, joined by blanks; the window shows no message of its own.
    QString takeTold();

private:
    const CardModel m_model;
    Link* const m_shared;
    sim::Card m_simulatedCard;
    Link m_ownLink;
    SlotTable m_slots;
    SlotWatch m_watch{m_slots};
    FileDialogState m_files;
    Notices m_notices;
    CardContext m_context;
    std::unique_ptr<CardWindow> m_window;
    QStringList m_told;
};

} // namespace vrn
