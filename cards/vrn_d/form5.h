#pragma once

#include "cards/common/card_window.h"

namespace vrn {

// The VRN-D card window.
class Form5 : public CardWindow
{
    Q_OBJECT
public:
    explicit Form5(CardContext& context);

protected:
    QByteArray parameterFile() const override { return {}; }
    int parameterFileValues() const override { return 0; }
    std::optional<QString> applyParameterFile(const std::vector<FileField>&) override
    {
        return std::nullopt;
    }
};

} // namespace vrn
