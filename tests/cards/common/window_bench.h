#pragma once

#include "cards/common/card_context.h"
#include "cards/vrn_a/form1.h"
#include "cards/vrn_b/form3.h"
#include "cards/vrn_c/form4.h"
#include "cards/vrn_d/form5.h"
#include "link/link.h"
#include "link/slot_table.h"
#include "sim/simulated_transport.h"
#include "ui/file_dialog_state.h"
#include "ui/notices.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

// One card window ("Form1", "Form3", "Form4" or "Form5") on a context of its own. Its file
// dialog gives `chosen`, after running `whileChoosing` (what happens to the file while the
// dialog is open); notices are kept, not shown.
struct WindowBench
{
    vrn::SlotTable slots;
    vrn::sim::Card card; // the card behind the simulated line
    vrn::Link link;
    vrn::FileDialogState files;
    vrn::Notices notices;
    vrn::CardContext context{slots, link, files, notices};
    std::unique_ptr<vrn::CardWindow> window;
    QTemporaryDir folder;
    QString chosen;
    std::function<void()> whileChoosing;

    explicit WindowBench(const QString& form)
    {
        notices.setShowWindows(false);
        files.setChooser([this](auto...) -> std::optional<QString> {
            if (whileChoosing)
                whileChoosing();
            return chosen;
        });
        if (form == QLatin1String("Form1"))
            window = std::make_unique<vrn::Form1>(context);
        else if (form == QLatin1String("Form3"))
            window = std::make_unique<vrn::Form3>(context);
        else if (form == QLatin1String("Form4"))
            window = std::make_unique<vrn::Form4>(context);
        else
            window = std::make_unique<vrn::Form5>(context);
    }

    // Saves to a file of the bench's own folder and returns what was written.
    QByteArray save(const QString& name)
    {
        chosen = folder.filePath(name);
        window->save();
        QFile file(chosen);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Writes the bytes to a file of the bench's own folder and opens it in the window.
    void open(const QString& name, const QByteArray& bytes)
    {
        chosen = folder.filePath(name);
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        window->open();
    }
};
