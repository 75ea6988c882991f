// The plug-in's store in a test that links the plug-in's objects without
// the relay: the test's store.
#include "ProfileStoreDirect.h"

ProfileStore &tint::relayProfileStore()
{
    return TestProfileStore();
}
