// The message the command handlers share.
#include "CommandMessages.h"

#include "Command.h"
#include "Messages.h"

int RejectParameters(const char *name)
{
    ShowMessage("<R>Error in Line %d:<n> %s parameters incorrect.\n", gLineNumber, name);
    return 1;
}
