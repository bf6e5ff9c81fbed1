# cmake -DSOURCE=dir -DDEST=dir -DSTAMP=file -DNAMES=a,b,... -P StageFolder.cmake
# Replaces DEST with a fresh copy of SOURCE (so files removed from SOURCE leave DEST too) and
# records the staged names in STAMP.
file(REMOVE_RECURSE ${DEST})
file(COPY ${SOURCE}/ DESTINATION ${DEST})
file(WRITE ${STAMP} "${NAMES}\n")
