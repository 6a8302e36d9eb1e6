# Included by the scripts that build files into the programs as byte arrays.
#
#   bv_file_as_c_bytes(PATH BYTES SIZE)
#
# sets BYTES to the bytes of the file PATH as the elements of a C array
# ("0x2f,0x2a,..."), sixteen a line, and SIZE to their count.
function(bv_file_as_c_bytes path out_bytes out_size)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR size "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n  " bytes "${bytes}")
  set(${out_bytes} "${bytes}" PARENT_SCOPE)
  set(${out_size} ${size} PARENT_SCOPE)
endfunction()
