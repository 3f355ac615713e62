// Checks a BMFont descriptor, as parse.js printed it, against the glyph table
// (NAME.xml of the tga-xml export) of the same sheet: every character of the
// table is there by its Unicode code point, with the table's cell, xoffset =
// a and xadvance = a + b + c; yoffset is minus the top border (padding[0]).
//   node match_table.js TABLE.xml PARSED.json
'use strict'
const fs = require('fs')

// Windows-1252 bytes 0x80..0x9F as Unicode.
const high = [0x20AC, 0x81, 0x201A, 0x192, 0x201E, 0x2026, 0x2020, 0x2021, 0x2C6, 0x2030, 0x160,
  0x2039, 0x152, 0x8D, 0x17D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
  0x2DC, 0x2122, 0x161, 0x203A, 0x153, 0x9D, 0x17E, 0x178]
const unicode = (code) => (code >= 0x80 && code <= 0x9F ? high[code - 0x80] : code)

const [tableFile, parsedFile] = process.argv.slice(2)
const table = fs.readFileSync(tableFile, 'utf8')
const font = JSON.parse(fs.readFileSync(parsedFile, 'utf8'))
const attributes = (line) => Object.fromEntries([...line.matchAll(/(\w+)="(-?\d+)"/g)]
  .map(([, key, value]) => [key, Number(value)]))
const cells = [...table.matchAll(/<char [^>]*>/g)].map((m) => attributes(m[0]))
const spacing = [...table.matchAll(/<spacing [^>]*>/g)].map((m) => attributes(m[0]))
const byId = new Map(font.chars.map((c) => [c.id, c]))

const wrong = []
cells.forEach((cell, i) => {
  const s = spacing[i]
  const want = { id: unicode(cell.id), x: cell.x, y: cell.y, width: cell.width,
    height: cell.height, xoffset: s.a, yoffset: -font.info.padding[0], xadvance: s.a + s.b + s.c }
  const got = byId.get(want.id)
  for (const key of Object.keys(want)) {
    if (!got || got[key] !== want[key]) {
      wrong.push(`char ${want.id} ${key}: ${got ? got[key] : 'missing'}, the table says ${want[key]}`)
    }
  }
})
if (font.chars.length !== cells.length) {
  wrong.push(`${font.chars.length} chars, the table has ${cells.length}`)
}
if (wrong.length > 0) {
  console.error(wrong.slice(0, 10).join('\n'))
  process.exit(1)
}
