// A header named relative to the including file: the layer check must refuse it.
#include "../base/ByteSource.h"
