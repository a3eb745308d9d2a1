// The message the command handlers share: a command whose parameters do not
// read as the command expects.
#pragma once

// Shows "<name> parameters incorrect." for the current line and returns 1,
// the handlers' result for a rejected command.
int RejectParameters(const char *name);
