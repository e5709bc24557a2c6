#pragma once

#include "link_messages.h"

// The sentences the windows show for a link error, so the tests read what the user reads.
inline QString said(const vrn::LinkError& error)
{
    return vrn::LinkMessages::transferProblem(error);
}

inline QString saidOfPort(const vrn::LinkError& error)
{
    return vrn::LinkMessages::portProblem(error);
}
