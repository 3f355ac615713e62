// Reads a BMFont descriptor with the parser web engines use for its form and
// prints what it read as one JSON object, the same for every form: pages,
// chars, info, common, kernings, each object's fields in AngelCode's order
// (fields a parser adds beyond those follow, by name).
//   node parse.js text|xml|binary|json FILE
'use strict'
const fs = require('fs')

const parsers = {
  text: require('parse-bmfont-ascii'),
  xml: require('parse-bmfont-xml'),
  binary: require('parse-bmfont-binary'),
  json: (bytes) => JSON.parse(bytes.toString('utf8')),
}

const order = {
  font: ['pages', 'chars', 'info', 'common', 'kernings'],
  info: ['face', 'size', 'bold', 'italic', 'charset', 'unicode', 'stretchH', 'smooth', 'aa',
    'padding', 'spacing', 'outline'],
  common: ['lineHeight', 'base', 'scaleW', 'scaleH', 'pages', 'packed', 'alphaChnl', 'redChnl',
    'greenChnl', 'blueChnl'],
  char: ['id', 'x', 'y', 'width', 'height', 'xoffset', 'yoffset', 'xadvance', 'page', 'chnl'],
  kerning: ['first', 'second', 'amount'],
}

function ordered(object, keys) {
  const out = {}
  for (const key of keys) if (key in object) out[key] = object[key]
  for (const key of Object.keys(object).sort()) if (!(key in out)) out[key] = object[key]
  return out
}

const [form, file] = process.argv.slice(2)
if (!(form in parsers) || !file) {
  console.error('usage: node parse.js text|xml|binary|json FILE')
  process.exit(2)
}
const parsed = parsers[form](fs.readFileSync(file))
if (form === 'xml') {
  // parse-bmfont-xml keeps only the first <page> of each <pages> element
  // (AngelCode's XML lists every page in one); its own XML reader, xml2js,
  // gives the rest.
  require('xml2js').parseString(fs.readFileSync(file, 'utf8'), (error, result) => {
    if (error) throw error
    for (const group of result.font.pages || []) {
      for (const page of group.page || []) parsed.pages[Number(page.$.id)] = page.$.file
    }
  })
}
const font = ordered(parsed, order.font)
if (font.info) font.info = ordered(font.info, order.info)
if (font.common) font.common = ordered(font.common, order.common)
if (font.chars) font.chars = font.chars.map((c) => ordered(c, order.char))
if (font.kernings) font.kernings = font.kernings.map((k) => ordered(k, order.kerning))
console.log(JSON.stringify(font, null, 2))
