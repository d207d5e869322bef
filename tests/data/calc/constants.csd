g, 9.8
"c", "299792458"
Planck,6.626E-34
g,1
half