#include "data/settings/ListLayout.h"

namespace kv::data {

const ListLayout& ListLayout::transportOffices()
{
    static const ListLayout layout{"006.dat", 20, 8, 8, "陸事"};
    return layout;
}

const ListLayout& ListLayout::vehicleClasses()
{
    static const ListLayout layout{"010.dat", 31, 16, 10, "種別"};
    return layout;
}

const ListLayout& ListLayout::vehicleUses()
{
    static const ListLayout layout{"011.dat", 31, 16, 8, "用途"};
    return layout;
}

const ListLayout& ListLayout::bodyShapes()
{
    static const ListLayout layout{"012.dat", 61, 32, 30, "形状"};
    return layout;
}

const ListLayout& ListLayout::makes()
{
    static const ListLayout layout{"013.dat", 61, 32, 30, "車名"};
    return layout;
}

const ListLayout& ListLayout::fuels()
{
    static const ListLayout layout{"014.dat", 21, 16, 10, "燃料"};
    return layout;
}

} // namespace kv::data
