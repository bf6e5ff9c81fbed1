# cmake -DSOURCE=dir -DDEST=dir -DSTAMP=file -DNAMES=a,b,... -P StageFolder.cmake
# Replaces DEST with a fresh copy of SOURCE (so files removed from SOURCE leave DEST too; no
# SOURCE, no DEST) and records the staged names in STAMP.
file(REMOVE_RECURSE ${DEST})
if(EXISTS ${SOURCE})
  file(COPY ${SOURCE}/ DESTINATION ${DEST})
endif()
file(WRITE ${STAMP} "${NAMES}\n")
