#pragma once

#include "cards/common/card_window.h"

namespace vrn {

// The VRN-A card window.
class Form1 : public CardWindow
{
    Q_OBJECT
public:
    explicit Form1(CardContext& context);

protected:
    QByteArray parameterFile() const override { return {}; }
    int parameterFileValues() const override { return 0; }
    std::optional<QString> applyParameterFile(const std::vector<FileField>&) override
    {
        return std::nullopt;
    }
};

} // namespace vrn
