#include "demosys/resources/DataPool.h"

#include "qnvutils/QNVUtils.h"

int DataPool::size() const { return count; }

std::string DataPool::toString() const { return "DataPool { size = " + QNVUtils::int2string(count) + " }\n"; }
