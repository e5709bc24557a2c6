#pragma once

#include "cards/common/card_window.h"

namespace vrn {

class GraphicalButton;
class OptionGroup;
class ParameterRow;

// The VRN-B card window: regulated maximum current (slot H), over-supply time in 10 msec steps
// (slot Z) and PWM frequency (slot B).
class Form3 : public CardWindow
{
    Q_OBJECT
public:
    explicit Form3(CardContext& context);

    void send();
    void read();

protected:
    QByteArray parameterFile() const override;
    int parameterFileValues() const override { return 3; }
    std::optional<QString> applyParameterFile(const std::vector<FileField>& fields) override;

private:
    void applyReply(const ReplyFields& fields);

    ParameterRow* m_current = nullptr;
    ParameterRow* m_overSupply = nullptr;
    OptionGroup* m_pwm = nullptr;
    GraphicalButton* m_send = nullptr;
    GraphicalButton* m_read = nullptr;
};

} // namespace vrn
