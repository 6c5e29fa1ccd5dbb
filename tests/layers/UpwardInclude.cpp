// A reader that reaches up into the document: the layer check must refuse it.
#include "core/doc/TorvaneDoc.h"
#include "core/media/FlacReader.h"
