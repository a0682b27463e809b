# Copies the shipped files of dist/ beside the program; the five program folders always exist.
foreach(sub DATA SCRIPTS SCRIPTS-SIMPLE LISP BACKUP)
    file(MAKE_DIRECTORY "${DST}/${sub}")
endforeach()
file(COPY "${SRC}/" DESTINATION "${DST}" PATTERN ".gitkeep" EXCLUDE)
