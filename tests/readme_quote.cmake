# cmake -DSOURCE=<file> -DREADME=<file> -P readme_quote.cmake
# Fails unless README quotes, word for word, the lines of SOURCE between its marks
# "// [readme-example begin]" and "// [readme-example end]".
file(READ ${SOURCE} source)
set(begin "// [readme-example begin]\n")
set(end "// [readme-example end]")
string(FIND "${source}" "${begin}" from)
string(FIND "${source}" "${end}" to)
if(from EQUAL -1 OR to EQUAL -1 OR to LESS from)
    message(FATAL_ERROR "${SOURCE} has no marked example")
endif()
string(LENGTH "${begin}" skip)
math(EXPR from "${from} + ${skip}")
math(EXPR length "${to} - ${from}")
string(SUBSTRING "${source}" ${from} ${length} example)
file(READ ${README} readme)
string(FIND "${readme}" "```cpp\n${example}```" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${README} does not quote the example of ${SOURCE} as it stands:\n"
                        "```cpp\n${example}```")
endif()
