// The same births cast by the JavaScript library lunar-javascript, for
// scripts/bench.sh to time against vesprin-cast: each line of standard input
// "DD MM YYYY HH MM G P" (Buddhist-Era year) gives one JSON line with the
// four pillars, the conception and life palace pillars and the ten luck
// pillars, about what a cast of vesprin-cast computes from its calendar.
// A day its month does not have is taken as the month's last day, as
// vesprin-cast corrects it. Usage: node lunar_javascript_casts.js MODULE_DIR < births
'use strict';
const fs = require('fs');
const path = require('path');
const { Solar } = require(path.resolve(process.argv[2], 'lunar-javascript'));

const daysIn = (y, m) => new Date(Date.UTC(y, m, 0)).getUTCDate();
const out = [];
for (const line of fs.readFileSync(0, 'utf8').split('\n')) {
  const f = line.trim().split(/\s+/);
  if (f.length !== 7 || f[0].startsWith('#')) continue;
  const year = Number(f[2]) - 543;
  const month = Number(f[1]);
  const day = Math.min(Number(f[0]), daysIn(year, month));
  const chart = Solar.fromYmdHms(year, month, day, Number(f[3]), Number(f[4]), 0).getLunar().getEightChar();
  const luck = chart.getYun(f[5] === 'm' ? 1 : 0);
  out.push(JSON.stringify({
    year: chart.getYear(), month: chart.getMonth(), day: chart.getDay(), time: chart.getTime(),
    conception: chart.getTaiYuan(), lifePalace: chart.getMingGong(), luckStart: luck.getStartYear(),
    luck: luck.getDaYun(11).slice(1).map((d) => d.getGanZhi()),
  }));
}
process.stdout.write(out.join('\n') + '\n');
