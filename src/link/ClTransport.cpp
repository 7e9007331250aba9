#include "ClTransport.h"

// No Camera Link library support is built in yet: modes 1-3 have no transport and fail to open.
ClTransport* ClTransportForMode(unsigned)
{
    return nullptr;
}
