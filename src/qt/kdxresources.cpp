#include "qt/kdxresources.h"

#include <QtGlobal>

void InitKdxResources() { Q_INIT_RESOURCE(kdx); }
