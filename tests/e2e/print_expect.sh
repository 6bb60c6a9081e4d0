# The bytes a print job must put on LPT1, built independently of the
# program: letterhead, quote sheet and form feed, with CR LF line ends.
# Source after lib.sh. Texts are Windows-1252 bytes.

# The business's lines on the letterhead, as empresa.ini gives them; unset,
# the placeholders of a folder without it. E2E_VAT_RATE is its IVA rate
# (whole percent), unset for none.
E2E_COMPANY=("Nombre empresa." "Datos" "Direccion" "Telefono" "Datos")

# e2e_letterhead_line INDENT ROOM TEXT: one of the business's lines after
# its indent, cut to the room it has, in the printer's table.
e2e_letterhead_line() {
  local LC_ALL=C
  printf '%*s' "$1" ''
  e2e_printer_charset "${3:0:$2}"
}

# Everything before the sheet: two line ends, the letterhead, three line
# ends; 194 bytes on the wire with the placeholders.
e2e_job_head() {
  printf '\r\n\r\n'
  printf '\x1bW\x01\x1bw\x01\x1bw\x01\x1bk\x04\x1bP\x1bE\x1b4\x1bl\x05'
  printf '\r\n\r\n\r\n\r\n%s\r\n\r\n' "$(e2e_letterhead_line 0 37 "${E2E_COMPANY[0]}")"
  printf '\x1b5\x1bW\x00'
  printf '%s\r\n\r\n\r\n' "$(e2e_letterhead_line 21 54 "${E2E_COMPANY[1]}")"
  printf '\x1bw\x00\x1bq\x03'
  printf '%s\r\n' "$(e2e_letterhead_line 9 66 "${E2E_COMPANY[2]}")"
  printf '%s\r\n' "$(e2e_letterhead_line 15 60 "${E2E_COMPANY[3]}")"
  printf '%s\r\n\r\n\r\n' "$(e2e_letterhead_line 23 52 "${E2E_COMPANY[4]}")"
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

# Windows-1252 text in the printer's table, by the C library's own tables:
# what code page 437 has as its byte, a capital it lacks without its
# accent, the euro sign as C struck over with = (C, backspace, =).
e2e_printer_charset() {
  local LC_ALL=C
  # Transliteration follows the locale: under C, Á would become "?".
  printf '%s' "${1//$'\x80'/C$'\b'=}" | LC_ALL=es_ES.UTF-8 iconv -f WINDOWS-1252 -t CP437//TRANSLIT
}

# e2e_body_rows BODY: the 25 row texts of the body box, one per array item of
# BODY_ROWS. Row 1 is blank; each line (its CR LF dropped) takes a row, its
# tabs spaces to the stops every eight columns of the row; a longer one is
# broken at its last space within 77 columns, the spaces and tabs there
# dropped, a word longer than 76 columns cut; rows beyond 25 are not printed.
e2e_body_rows() {
  local LC_ALL=C rest=$1 line cut wrapped expanded column at next lines=()
  while [[ $rest == *$'\n'* ]]; do
    line=${rest%%$'\n'*}
    lines+=("${line%$'\r'}")
    rest=${rest#*$'\n'}
  done
  lines+=("$rest")
  BODY_ROWS=("")
  for line in "${lines[@]}"; do
    wrapped=0
    while true; do
      expanded=$(printf '%s' "$line" | expand -t 8)
      ((${#expanded} > 76)) || break
      cut=76
      while ((cut > 0)) && [[ ${expanded:cut:1} != ' ' ]]; do cut=$((cut - 1)); done
      ((cut == 0)) && cut=76
      BODY_ROWS+=("${expanded:0:cut}")
      # The row goes on from the line's byte that shows in column `cut`.
      column=0 at=0
      while ((at < ${#line})); do
        if [[ ${line:at:1} == $'\t' ]]; then next=$(((column / 8 + 1) * 8)); else next=$((column + 1)); fi
        ((next > cut)) && break
        column=$next at=$((at + 1))
      done
      line=${line:at}
      line=${line#"${line%%[!$'\t' ]*}"}
      wrapped=1
    done
    ((wrapped && ${#expanded} == 0)) || BODY_ROWS+=("$expanded")
  done
  while ((${#BODY_ROWS[@]} < 25)); do BODY_ROWS+=(""); done
  BODY_ROWS=("${BODY_ROWS[@]:0:25}")
}

# e2e_amount_cents TEXT: the cents of an amount in Spanish notation (1.234,56,
# 1234, with or without a final euro sign); fails for any other text.
e2e_amount_cents() {
  local LC_ALL=C text=${1%$'\x80'} whole fraction
  text=${text% }
  [[ $text =~ ^([0-9]{1,3}(\.[0-9]{3})+|[0-9]+)(,([0-9]{1,2}))?$ ]] || return 1
  whole=${BASH_REMATCH[1]//./}
  fraction=${BASH_REMATCH[4]}
  ((${#fraction} == 1)) && fraction+=0
  echo $((10#$whole * 100 + 10#${fraction:-0}))
}

# e2e_amount_text CENTS: 1.493,82 and the euro sign; where that is wider
# than its cell's 11 columns, without the space, then without the dots.
e2e_amount_text() {
  local whole=$(($1 / 100)) grouped="" text
  while ((whole >= 1000)); do
    grouped=.$(printf '%03d' $((whole % 1000)))$grouped
    whole=$((whole / 1000))
  done
  text=$(printf '%d%s,%02d' "$whole" "$grouped" $(($1 % 100)))
  if ((${#text} + 2 <= 11)); then
    printf '%s \x80' "$text"
  elif ((${#text} + 1 <= 11)); then
    printf '%s\x80' "$text"
  else
    printf '%s\x80' "${text//./}"
  fi
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
  date=$(e2e_sheet_charset "$date")
  total_text="$total "$'\x80'
  ((${#total_text} > 11)) && total_text=$total$'\x80'
  [[ ${total% } == *$'\x80' ]] && total_text=$total

  printf '%s%s%s\r\n' "$TOP_LEFT" "$rule" "$TOP_RIGHT"
  printf '%s\r\n' "$inner_blank"
  e2e_header_line " $(e2e_pad "$number_label" $((${#date_label} + 1)))    Nombre: $name"
  e2e_header_line " Fecha: $date     Domicilio: $address"
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
  local vat_label='IVA    % ' vat_cell="" sum_cell="" cents tax
  if [[ -n ${E2E_VAT_RATE:-} ]] && cents=$(e2e_amount_cents "$total"); then
    tax=$(((cents * E2E_VAT_RATE + 50) / 100))
    vat_label="IVA $E2E_VAT_RATE % "
    total_text=$(e2e_amount_text "$cents")
    vat_cell=$(e2e_amount_text "$tax")
    sum_cell=$(e2e_amount_text $((cents + tax)))
  fi
  printf '%s\r\n%57sSubtotal %s%s%s\r\n%s\r\n' "$box_top" '' "$V" "$(e2e_box_cell "$total_text")" \
    "$V" "$box_bottom"
  printf '%s\r\n%*s%s%s%s%s\r\n%s\r\n' "$box_top" $((66 - ${#vat_label})) '' "$vat_label" "$V" \
    "$(e2e_box_cell "$vat_cell")" "$V" "$box_bottom"
  printf '%s\r\n%60sTotal %s%s%s\r\n%s\r\n' "$box_top" '' "$V" "$(e2e_box_cell "$sum_cell")" "$V" \
    "$box_bottom"
}

# e2e_box_cell TEXT: a small box's value right-aligned in its 12 columns,
# then a space, in the form of the sheet.
e2e_box_cell() {
  local LC_ALL=C
  ((${#1} < 11)) && printf '%*s' $((11 - ${#1})) ''
  printf '%s ' "$(e2e_sheet_charset "$1")"
}

# e2e_expected_job NUMBER BODY NAME DATE ADDRESS TOTAL: the whole job.
e2e_expected_job() {
  e2e_job_head
  e2e_expected_sheet "$@"
  printf '\f'
}

# e2e_print_and_check DESCRIPTION BUTTON NUMBER BODY NAME DATE ADDRESS TOTAL:
# presses BUTTON (dialog units, in the dialog DIALOG) and checks that LPT1
# gets the whole job expected.
e2e_print_and_check() {
  local description=$1 button=$2
  shift 2
  e2e_expected_job "$@" >"$CASE_AUX/expected.prn"
  : >"$CASE_AUX/lpt1.out"
  e2e_click_control "$DIALOG" $button
  e2e_wait_for_bytes "$CASE_AUX/expected.prn" "$CASE_AUX/lpt1.out"
  e2e_check_bytes "$description" "$CASE_AUX/expected.prn" "$CASE_AUX/lpt1.out"
}

# Lines as compared: no trailing spaces, no empty lines, and the indent that
# all of them share taken off (where the page sits on the paper is not the
# sheet's business).
e2e_sheet_lines() {
  sed 's/ *$//' | grep -v '^$' |
    awk '{ lines[NR] = $0; match($0, /^ */); if (NR == 1 || RLENGTH < indent) indent = RLENGTH }
         END { for (i = 1; i <= NR; i++) print substr(lines[i], indent + 1) }'
}

# e2e_page_text PDF: the page's text lines (UTF-8) as compared. On A4 the
# sheet's 80 columns take the 190 mm between margins of 10 mm, 6.73 points
# a column, which makes pdftotext's layout give the page's columns exactly.
e2e_page_text() {
  pdftotext -layout -fixed 6.73 "$1" - | tr -d '\f' | e2e_sheet_lines
}

# empresa.ini of a business with its five lines, IVA 21, two lines under the
# boxes and its logo, as Notepad saves it in ANSI, into CASE_DIR with the
# logo.png it names.
e2e_business_files() {
  printf '%s' $'[Empresa]\r\nNombre=Reformas Pe\xf1a S.L.\r\nActividad=Fontaner\xeda y alba\xf1iler\xeda\r\n' \
    $'Direccion=C/ Mayor 1, 28013 Madrid\r\nTelefono=Tel\xe9fono 912 345 678\r\n' \
    $'Otros=NIF B12345678 info@reformaspena.es\r\nIVA=21\r\n' \
    $'Pie1=Validez del presupuesto: 30 d\xedas\r\nPie3=Transferencia a ES12 3456 7890\r\n' \
    $'Logo=logo.png\r\n' >"$CASE_DIR/empresa.ini"
  e2e_logo_png "$CASE_DIR/logo.png"
}

# e2e_check_business_page DESCRIPTION PDF BODY NAME DATE ADDRESS TOTAL: the
# page of quote 1 for e2e_business_files: its letterhead, then the sheet
# with IVA 21 % and the Total and the lines under the boxes, from the
# sheet's third column (DESCRIPTION), and the logo its one picture.
e2e_check_business_page() {
  local description=$1 pdf=$2
  shift 2
  e2e_page_text "$pdf" >"$CASE_AUX/page.txt"
  e2e_check_equal "the business's letterhead comes first" \
    "$(printf '%s\n' 'Reformas PeÃ±a S.L.' 'FontanerÃ­a y albaÃ±ilerÃ­a' 'C/ Mayor 1, 28013 Madrid' \
      'TelÃ©fono 912 345 678' 'NIF B12345678 info@reformaspena.es')" \
    "$(head -n 5 "$CASE_AUX/page.txt" | tr -s ' ' | sed 's/^ //')"
  { E2E_VAT_RATE=21 E2E_SHEET_FORM=page e2e_expected_sheet 1 "$@"
    printf '  Validez del presupuesto: 30 d\xedas\n  Transferencia a ES12 3456 7890\n'; } |
    tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8 | e2e_sheet_lines >"$CASE_AUX/expected.txt"
  e2e_check_equal "$description" "$(cat "$CASE_AUX/expected.txt")" "$(tail -n +6 "$CASE_AUX/page.txt")"
  e2e_check_equal "the logo is the page's one picture" 1 "$(pdfimages -list "$pdf" | tail -n +3 | wc -l)"
}
