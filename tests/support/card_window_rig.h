#pragma once

#include "card_context.h"
#include "card_station.h"
#include "card_window.h"
#include "card_windows.h"
#include "file_dialog_state.h"
#include "link.h"
#include "notices.h"
#include "simulated_transport.h"
#include "slot_table.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

// The model whose window has the object name `form` ("Form1", "Form3", "Form4", "Form5").
inline vrn::CardModel modelOfForm(const QString& form)
{
    const int n = form.right(1).toInt(); // Form1 is VRN-A, Form3 to Form5 are VRN-B to VRN-D
    if (!form.startsWith(QLatin1String("Form")) || n < 1 || n == 2 || n > 5)
        qFatal("no card window %s", qPrintable(form));
    return static_cast<vrn::CardModel>(n == 1 ? 0 : n - 2);
}

// One card window ("Form1", "Form3", "Form4" or "Form5") on a context of its own. Its file
// dialog gives `chosen`, after running `whileChoosing` (what happens to the file while the
// dialog is open); notices are kept, not shown.
struct CardWindowRig
{
    vrn::sim::Card card; // the card behind the simulated line, outliving the link
    vrn::CardStation station;
    vrn::SlotTable& slots = station.slots;
    vrn::Link& link = station.link;
    vrn::FileDialogState& files = station.files;
    vrn::Notices& notices = station.notices;
    vrn::CardContext& context = station.context;
    std::unique_ptr<vrn::CardWindow> window;
    QTemporaryDir folder;
    QString chosen;
    std::function<void()> whileChoosing;

    explicit CardWindowRig(const QString& form)
    {
        notices.setShowWindows(false);
        files.setChooser([this](auto...) -> std::optional<QString> {
            if (whileChoosing)
                whileChoosing();
            return chosen;
        });
        window = vrn::makeCardWindow(modelOfForm(form), context);
    }

    // Saves to a file of the rig's own folder and returns what was written.
    QByteArray save(const QString& name)
    {
        chosen = folder.filePath(name);
        window->save();
        QFile file(chosen);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Writes the bytes to a file of the rig's own folder and opens it in the window.
    void open(const QString& name, const QByteArray& bytes)
    {
        chosen = folder.filePath(name);
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        window->open();
    }
};
