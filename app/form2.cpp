#include "app/form2.h"

#include "ui/form_builder.h"
#include "ui/graphical_button.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>

namespace vrn {

Form2::Form2(QWidget* parent) : ClassicWindow(QStringLiteral("VRN-PC rev01"), 7470, 3660, parent)
{
    setObjectName(QStringLiteral("Form2"));

    QMenu* se = menuBar()->addMenu(QStringLiteral("Seriale"));
    se->setObjectName(QStringLiteral("se"));
    const char* const captions[] = {"Ser1", "Ser2", "Ser3", "Se4", "Ser5"};
    for (int n = 1; n <= 5; ++n) {
        QAction* item = se->addAction(QString::fromLatin1(captions[n - 1]));
        item->setObjectName(QStringLiteral("se%1").arg(n));
        connect(item, &QAction::triggered, this, [this, n] { Q_EMIT portChosen(n); });
    }
    se->addSeparator();
    QAction* simulated = se->addAction(QStringLiteral("Simulated card"));
    simulated->setObjectName(QStringLiteral("seSimulated"));
    connect(simulated, &QAction::triggered, this, &Form2::simulatedCardChosen);

    FormBuilder form(client());
    form.add({
        {"Picture1", ControlKind::Picture, "", 0, 0, 10695, 1335, 0},
        {"Command1", ControlKind::Button, "VRN-A", 1320, 1680, 1575, 495, 1},
        {"Command2", ControlKind::Button, "VRB", 1320, 2640, 1575, 495, 2},
        {"Command3", ControlKind::Button, "VRC", 4560, 1680, 1575, 495, 3},
        {"Command4", ControlKind::Button, "VRD", 4560, 2640, 1575, 495, 4},
    });
    form.applyTabOrder();
    const char* const buttons[] = {"Command1", "Command2", "Command3", "Command4"};
    for (int model = 0; model < 4; ++model) {
        auto* button = form.get<GraphicalButton>(buttons[model]);
        button->setFont(classicFont(9.75, true));
        connect(button, &GraphicalButton::clicked, this,
                [this, model] { Q_EMIT cardWindowWanted(model); });
    }
}

void Form2::closeEvent(QCloseEvent* event)
{
    event->accept();
    Q_EMIT closed();
}

} // namespace vrn
