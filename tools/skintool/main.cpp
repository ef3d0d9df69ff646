#include "tools/skintool/SkinTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    return xe::skin::RunSkinTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
