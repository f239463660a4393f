#pragma once

#include "foundation/messages.h"

// The hourglass for the lifetime of a scope, so that an exception does not leave it on.
class TWaitGuard
{
public:
    explicit TWaitGuard(TWaitCursor kind = TWaitCursor::Hourglass)
    {
        kind == TWaitCursor::Database ? BeginDbWait() : BeginWait();
    }
    ~TWaitGuard() { EndWait(); }
    TWaitGuard(const TWaitGuard&) = delete;
    TWaitGuard& operator=(const TWaitGuard&) = delete;
};
