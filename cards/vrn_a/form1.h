#pragma once

#include "card_window.h"

namespace vrn {

class GraphicalButton;
class OptionBox;
class OptionGroup;
class ParameterRow;

// The VRN-A card window (its values are described in cards/models/vrn_a.h): the coil current
// range with its I Max presets, the PWM frequency, the ramp up and down times with their enable
// switch, the reference input type and the four levels.
class Form1 : public CardWindow
{
    Q_OBJECT
public:
    explicit Form1(CardContext& context);

    // The ramp enable rule, as a click on "Enable Ramps" runs it.
    void runRampEnableRule();

protected:
    QByteArray parameterFile() const override;
    std::optional<QString> applyParameterFile(const std::vector<FileField>& fields) override;

private:
    void buildLayout();
    void moveToCoilPreset(int index);
    void applyReply(const ReplyFields& fields) override;
    std::optional<int> shownCode(char letter) const override;
    void applyReference(double number);
    void applyRamps(double enabled, int rampUpPosition, int rampDownPosition);
    void applyLevel(ParameterRow* row, const std::vector<FileField>& fields,
                    const CardValue& value);
    static QString savedBoxText(const ParameterRow* row);

    ParameterRow* m_vt = nullptr;       // VScroll1 / Text5, slot E
    ParameterRow* m_iMin = nullptr;     // VScroll2 / Text6, slot G
    ParameterRow* m_iPol = nullptr;     // VScroll4 / Text8, slot F
    ParameterRow* m_iMax = nullptr;     // VScroll5 / Text11, slot H
    ParameterRow* m_rampUp = nullptr;   // VScroll3 / Text2, slot C
    ParameterRow* m_rampDown = nullptr; // VScroll6 / Text3, slot D
    OptionGroup* m_coil = nullptr;
    OptionGroup* m_pwm = nullptr;
    OptionGroup* m_reference = nullptr;
    OptionBox* m_enableRamps = nullptr;
    GraphicalButton* m_send = nullptr;
    GraphicalButton* m_read = nullptr;
};

} // namespace vrn
