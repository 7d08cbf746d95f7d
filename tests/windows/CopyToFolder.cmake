# Copies FILES (separated by "|") into DIR, made afresh.
string(REPLACE "|" ";" FILES "${FILES}")
file(REMOVE_RECURSE "${DIR}")
file(MAKE_DIRECTORY "${DIR}")
file(COPY ${FILES} DESTINATION "${DIR}")
