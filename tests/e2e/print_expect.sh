# The bytes a print job must put on LPT1, built independently of the
# program: letterhead, quote sheet and form feed, with CR LF line ends.
# Source after lib.sh. Texts are Windows-1252 bytes.

# Everything before the sheet: two line ends, the letterhead, three line
# ends; 194 bytes on the wire.
e2e_job_head() {
  printf '\r\n\r\n'
  printf '\x1bW\x01\x1bw\x01\x1bw\x01\x1bk\x04\x1bP\x1bE\x1b4\x1bl\x05'
  printf '\r\n\r\n\r\n\r\nNombre empresa.\r\n\r\n'
  printf '\x1b5\x1bW\x00'
  printf '%21sDatos\r\n\r\n\r\n' ''
  printf '\x1bw\x00\x1bq\x03'
  printf '%9sDireccion\r\n' ''
  printf '%15sTelefono\r\n' ''
  printf '%23sDatos\r\n\r\n\r\n' ''
  printf '\x1bq\x00\x1bF\x1bq\x00\x1bk\x07\x1bl\x00'
  printf '\r\n\r\n\r\n'
}

# e2e_repeat TEXT COUNT
e2e_repeat() {
  local LC_ALL=C line
  printf -v line '%*s' "$2" ''
  printf '%s' "${line// /$1}"
}

# e2e_pad TEXT WIDTH: the text, then spaces up to the width.
e2e_pad() {
  local LC_ALL=C
  printf '%s' "$1"
  (($2 > ${#1})) && printf '%*s' $(($2 - ${#1})) ''
  return 0
}

# Control bytes print as spaces.
e2e_blank_controls() { printf '%s' "$1" | LC_ALL=C tr '\001-\037\177' ' '; }

# Âª Âº Ã± Ã‘ in the printer's character table.
e2e_printer_charset() { printf '%s' "$1" | LC_ALL=C tr '\252\272\361\321' '\246\247\244\245'; }

# e2e_body_rows BODY: the 25 row texts of the body box, one per array item of
# BODY_ROWS. Row 1 is blank; a line break ends a row when it comes within 76
# bytes (the byte before the LF, the CR, is dropped); longer text is cut
# every 76 bytes; text beyond row 25 is not printed.
e2e_body_rows() {
  local LC_ALL=C rest=$1 before position row
  BODY_ROWS=("")
  while ((${#BODY_ROWS[@]} < 25)); do
    position=-1
    if [[ $rest == *$'\n'* ]]; then
      before=${rest%%$'\n'*}
      position=${#before}
    fi
    if ((position >= 0 && position <= 75)); then
      row=""
      ((position > 0)) && row=${rest:0:position-1}
      rest=${rest:position+1}
    elif ((${#rest} <= 75)); then
      row=$rest
      rest=""
    else
      row=${rest:0:76}
      rest=${rest:76}
    fi
    BODY_ROWS+=("$row")
  done
}

# The sheet is expected in one of two forms, E2E_SHEET_FORM:
# - printer (the default): the bytes on LPT1, code page 437 box pieces,
#   ª º ñ Ñ in the printer's table;
# - page: what the drawn page shows, in Windows-1252: the letters as typed,
#   the box pieces as spaces (the page draws them as lines).
e2e_sheet_pieces() {
  if [[ ${E2E_SHEET_FORM:-printer} == page ]]; then
    H=' ' V=' ' TOP_LEFT=' ' TOP_RIGHT=' ' BOTTOM_LEFT=' ' BOTTOM_RIGHT=' '
    TEE_LEFT=' ' TEE_RIGHT=' ' ORDINAL=$'\xba'
  else
    H=$'\xc4' V=$'\xb3' TOP_LEFT=$'\xda' TOP_RIGHT=$'\xbf' BOTTOM_LEFT=$'\xc0'
    BOTTOM_RIGHT=$'\xd9' TEE_LEFT=$'\xc3' TEE_RIGHT=$'\xb4' ORDINAL=$'\xa7'
  fi
}

e2e_sheet_charset() {
  if [[ ${E2E_SHEET_FORM:-printer} == page ]]; then
    printf '%s' "$1"
  else
    e2e_printer_charset "$1"
  fi
}

# A header line: the content after the left rule, padded so that the right
# rule falls in column 79, or right after content that reaches it.
e2e_header_line() {
  printf '%s%s\r\n' "$(e2e_pad "$V$1" 79)" "$V"
}

# e2e_expected_sheet NUMBER BODY NAME DATE ADDRESS TOTAL: the 42 lines of the
# sheet, each ended by CR LF.
e2e_expected_sheet() {
  local LC_ALL=C number=$1 body=$2 name date address total
  local H V TOP_LEFT TOP_RIGHT BOTTOM_LEFT BOTTOM_RIGHT TEE_LEFT TEE_RIGHT ORDINAL
  e2e_sheet_pieces
  name=$(e2e_sheet_charset "$(e2e_blank_controls "$3")")
  date=$(e2e_blank_controls "$4")
  address=$(e2e_sheet_charset "$(e2e_blank_controls "$5")")
  total=$(e2e_blank_controls "$6")
  local rule inner_blank number_label date_label total_text cell row
  rule=$(e2e_repeat "$H" 78)
  inner_blank="$V$(printf '%78s' '')$V"
  number_label="Presupuesto N$ORDINAL $number"
  date_label="Fecha: $date"
  total_text="$total "$'\x80'

  printf '%s%s%s\r\n' "$TOP_LEFT" "$rule" "$TOP_RIGHT"
  printf '%s\r\n' "$inner_blank"
  e2e_header_line " $(e2e_pad "$number_label" $((${#date_label} + 1)))    Nombre: $name"
  e2e_header_line " $date_label     Domicilio: $address"
  printf '%s\r\n' "$inner_blank"
  printf '%s%s%s\r\n' "$TEE_LEFT" "$rule" "$TEE_RIGHT"
  e2e_body_rows "$body"
  for row in "${BODY_ROWS[@]}"; do
    row=$(e2e_sheet_charset "$(e2e_blank_controls "$(e2e_pad "$row" 76)")")
    printf '%s %s %s\r\n' "$V" "$row" "$V"
  done
  printf '%s%s%s\r\n' "$BOTTOM_LEFT" "$rule" "$BOTTOM_RIGHT"
  printf '\r\n'
  local box_top box_bottom
  box_top="$(printf '%66s' '')$TOP_LEFT$(e2e_repeat "$H" 12)$TOP_RIGHT"
  box_bottom="$(printf '%66s' '')$BOTTOM_LEFT$(e2e_repeat "$H" 12)$BOTTOM_RIGHT"
  cell=""
  ((${#total_text} < 11)) && cell=$(printf '%*s' $((11 - ${#total_text})) '')
  cell+="$total_text "
  printf '%s\r\n%57sSubtotal %s%s%s\r\n%s\r\n' "$box_top" '' "$V" "$cell" "$V" "$box_bottom"
  printf '%s\r\n%57sIVA    %% %s%12s%s\r\n%s\r\n' "$box_top" '' "$V" '' "$V" "$box_bottom"
  printf '%s\r\n%60sTotal %s%12s%s\r\n%s\r\n' "$box_top" '' "$V" '' "$V" "$box_bottom"
}

# e2e_expected_job NUMBER BODY NAME DATE ADDRESS TOTAL: the whole job.
e2e_expected_job() {
  e2e_job_head
  e2e_expected_sheet "$@"
  printf '\f'
}
