#include "audience.h"

namespace vrn {
namespace {

Audience g_audience = Audience::Windows;

} // namespace

void setAudience(Audience audience)
{
    g_audience = audience;
}

Audience audience()
{
    return g_audience;
}

} // namespace vrn
