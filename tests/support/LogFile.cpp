#include "tests/support/LogFile.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

void setLogVariable(const std::string& file)
{
#ifdef _WIN32
    _putenv_s("QARN_LOG", file.c_str()); // an empty value removes it
#else
    if (file.empty())
        unsetenv("QARN_LOG");
    else
        setenv("QARN_LOG", file.c_str(), 1);
#endif
}

std::string fileContents(const std::string& file)
{
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
