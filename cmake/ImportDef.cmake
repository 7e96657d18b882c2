# cmake -DNM=... -DIMPORT_LIBRARY=... -DDEF=... -P ImportDef.cmake
# Writes the module-definition file of the functions a mingw import library
# imports: each has a code thunk (a text symbol), which the library's data
# imports lack.
execute_process(COMMAND ${NM} -g --defined-only ${IMPORT_LIBRARY}
                OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL " T [A-Za-z][^\n]*" thunks "${symbols}")
list(TRANSFORM thunks REPLACE "^ T " "")
list(REMOVE_DUPLICATES thunks)
list(SORT thunks)
list(JOIN thunks "\n" names)
get_filename_component(name ${IMPORT_LIBRARY} NAME_WE)
string(REGEX REPLACE "^lib" "" name ${name})
file(WRITE ${DEF} "LIBRARY ${name}.dll\nEXPORTS\n${names}\n")
