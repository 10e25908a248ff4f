#!/usr/bin/env bash
# Lighthouse's scores of the web page on its mobile settings (a mid-range
# phone on a slow 4G network, simulated): performance, accessibility and best
# practices, with the paint and blocking times behind the first, for each of
# RUNS runs and their median. Lighthouse is installed from bench/lighthouse's
# lock; it drives Debian's chromium. Not a test.
#   bench/web_lighthouse.sh [RUNS]   (after scripts/build-web.sh; RUNS: 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}

if [ bench/lighthouse/package-lock.json -nt bench/lighthouse/node_modules/.package-lock.json ]; then
    npm ci --prefix bench/lighthouse --ignore-scripts --no-audit --no-fund --loglevel=error
fi

out=$(mktemp -d)
scripts/serve-web.sh 0 build-web/site > "$out/server.log" 2>&1 &
server=$!
trap 'kill $server; rm -rf "$out"' EXIT
until address=$(grep -o 'http://127.0.0.1:[0-9]*/' "$out/server.log"); do
    sleep 0.2
done

for run in $(seq "$runs"); do
    CHROME_PATH=/usr/bin/chromium bench/lighthouse/node_modules/.bin/lighthouse "$address" --quiet \
        --chrome-flags="--headless=new --no-sandbox" --only-categories=performance,accessibility,best-practices \
        --output=json --output-path="$out/run-$run.json"
done

node - "$out"/run-*.json <<'SCRIPT'
const fs = require('node:fs');
const columns = [['performance', (r) => r.categories.performance.score * 100],
    ['accessibility', (r) => r.categories.accessibility.score * 100],
    ['best practices', (r) => r.categories['best-practices'].score * 100],
    ['FCP ms', (r) => Math.round(r.audits['first-contentful-paint'].numericValue)],
    ['LCP ms', (r) => Math.round(r.audits['largest-contentful-paint'].numericValue)],
    ['TBT ms', (r) => Math.round(r.audits['total-blocking-time'].numericValue)]];
const runs = process.argv.slice(2).map((file) => JSON.parse(fs.readFileSync(file, 'utf8')));
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
console.log(['', ...columns.map(([name]) => name)].join('\t'));
runs.forEach((run, i) => console.log([`run ${i + 1}`, ...columns.map(([, value]) => value(run))].join('\t')));
console.log(['median', ...columns.map(([, value]) => median(runs.map(value)))].join('\t'));
SCRIPT
