// Times @sabaki/sgf parsing the same professional games the C++ benchmark reads.
// Usage: node sabaki_sgf_parse.js CORPUS_DIR  (run where node_modules holds @sabaki/sgf)
'use strict'
const fs = require('fs')
const path = require('path')
const sgf = require('@sabaki/sgf')

function listGames(corpus) {
  const files = []
  const walk = dir => {
    for (const entry of fs.readdirSync(dir, {withFileTypes: true})) {
      const full = path.join(dir, entry.name)
      if (entry.isDirectory()) walk(full)
      else if (entry.isFile() && entry.name.toLowerCase().endsWith('.sgf')) files.push(full)
    }
  }
  for (const folder of ['pro', 'pro-gbk', 'pro-big5', 'pro-fox'])
    if (fs.existsSync(path.join(corpus, folder))) walk(path.join(corpus, folder))
  return files.sort()
}

function timeIt(label, games, bytes, parseOne) {
  for (const game of games.slice(0, 200)) parseOne(game) // warm-up
  let rounds = 0
  let failures = 0
  // Processor time, as Google Benchmark reports it, so that a busy machine skews neither side.
  const cpuSeconds = () => { const u = process.cpuUsage(); return (u.user + u.system) / 1e6 }
  const start = cpuSeconds()
  let elapsed = 0
  while (rounds < 3 || elapsed < 3) {
    for (const game of games) {
      try { parseOne(game) } catch (e) { failures++ }
    }
    rounds++
    elapsed = cpuSeconds() - start
  }
  const gamesPerSecond = rounds * games.length / elapsed
  const megabytesPerSecond = rounds * bytes / 1e6 / elapsed
  console.log(`${label} games/s=${gamesPerSecond.toFixed(0)} MB/s=${megabytesPerSecond.toFixed(2)} failures/round=${failures / rounds}`)
}

const corpus = process.argv[2]
const files = listGames(corpus)
const buffers = files.map(file => fs.readFileSync(file))
const bytes = buffers.reduce((sum, buffer) => sum + buffer.length, 0)
const texts = buffers.map(buffer => buffer.toString('utf8'))
console.log(`games=${files.length} bytes=${bytes}`)
timeIt('sabaki-parseBuffer', buffers, bytes, buffer => sgf.parseBuffer(buffer))
timeIt('sabaki-parse', texts, bytes, text => sgf.parse(text))
