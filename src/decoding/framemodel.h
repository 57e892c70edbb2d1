#pragma once

#include <QStringList>

// One structure definition from the definitions script: the command letter it decodes and its
// fields, names and type strings at matching indices (both lists always have the same length).
struct FrameModel
{
    char cmd = 0;
    QStringList fieldNames;
    QStringList fieldTypes;
};
