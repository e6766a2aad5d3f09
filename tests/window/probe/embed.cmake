# cmake -DSEGMENT=... -DHEADER=... -DOUT=... -P embed.cmake
# Writes the probe's window-definition segment and program header as C++
# arrays.
function(as_array file name out_var)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" n)
  math(EXPR bytes "${n} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
  set(${out_var} "extern const unsigned char ${name}[${bytes}] = {${body}};\nextern const unsigned long ${name}Size = ${bytes};\n" PARENT_SCOPE)
endfunction()
as_array(${SEGMENT} kProbeSegment seg)
as_array(${HEADER} kProbeHeader hdr)
file(WRITE ${OUT} "// Generated from tests/window/probe/probe_window.txt. Do not edit.\n${seg}${hdr}")
